#pragma once
// The program's message boxes, input boxes, context menus, search windows
// and call-up key dialogs as the user sees them, read from the real windows
// when they appear (before they are answered); what another process cannot
// read (a menu's items, the search results, a message box's icon) through the
// probe. And the log of them that the shared expectations check.

#include <windows.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/wine_scenario/probe_client.h"
#include "tests/scenario/dialog_expectations.h"

namespace pelorin::wine_scenario {

using scenario::DialogKind;

// The program's input box: its edit control.
inline constexpr int kInputBoxEdit = 101;

struct DialogRecord : scenario::ShownDialog {
  POINT topLeft{};  // input box: its outer top-left corner in pixels
  UINT dpi = 96;
  std::vector<int> itemIds;  // popup: the menu table's index of each item (-1: separator)

  // "message box "..." "Pelorin" 0" and so on, for messages.
  std::string Describe() const;
};

DialogKind KindOf(HWND dialog);

// Reads what the dialog shows; nullopt when it is gone or unreadable (why says so).
std::optional<DialogRecord> ReadDialog(HWND dialog, HWND program, ProbeClient& probe,
                                       std::string* why);

// What the search window shows now: the text in its field and its results.
std::optional<scenario::SearchStep> ReadSearch(HWND dialog, HWND program, ProbeClient& probe,
                                               std::string* why);

class ShownDialogLog : public scenario::DialogLog {
 public:
  std::size_t Size() const override { return records.size(); }
  DialogKind KindAt(std::size_t index) const override { return records[index].kind; }
  scenario::ShownDialog At(std::size_t index) const override;
  // A real window stands on whole pixels: the place in twips is the same
  // pixel at the window's DPI.
  bool PlacedAt(std::size_t index, const scenario::Arg& left,
                const scenario::Arg& top) const override;
  void Take(std::size_t index) override {
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(index));
  }

  std::deque<DialogRecord> records;
};

}  // namespace pelorin::wine_scenario
