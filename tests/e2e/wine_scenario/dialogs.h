#pragma once
// The program's modal dialogs and context menus as the user sees them: read
// from the real windows when they appear (before they are answered), and
// answered through their controls with real input.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/wine_scenario/probe_client.h"
#include "tests/scenario/dialog_expectations.h"

namespace pelorin::wine_scenario {

using scenario::DialogKind;

struct DialogRecord {
  DialogKind kind = DialogKind::MsgBox;
  std::string text;     // message, or the prompt of an input box or the call-up key dialog
  std::string caption;  // the window's title
  int flags = 0;        // message box: buttons, icon and default button, as MsgBox takes them
  std::string defaultText;
  POINT topLeft{};  // input box: its outer top-left corner in pixels
  UINT dpi = 96;
  std::vector<std::string> items;  // popup: captions of its items, "-" separators
  std::vector<int> itemIds;        // popup: the menu table's index of each item (-1: separator)
  std::vector<scenario::SearchStep> searched;  // search window: every text its field held

  // "message box "..." "Pelorin" 0" and so on, for messages.
  std::string Describe() const;
};

DialogKind KindOf(HWND dialog);

// Reads what the dialog shows; nullopt when it is gone or unreadable (why says so).
std::optional<DialogRecord> ReadDialog(HWND dialog, HWND program, ProbeClient& probe,
                                       std::string* why);

// Presses the message box's button (IDOK, IDCANCEL); false when it has none.
bool PressButton(HWND dialog, int buttonId);
bool HasButton(HWND dialog, int buttonId);

// Types the text over the input box's default text with the keyboard, as a
// user does; nullopt when the edit then holds the text, else why not.
std::optional<std::string> TypeIntoInputBox(HWND dialog, DWORD programThread,
                                            const std::string& text);

// Moves the highlight of an open menu to the item by the arrow keys (real
// input); false when it cannot be reached.
bool HighlightMenuItem(HWND popupWindow, HWND program, ProbeClient& probe, int item);
// The open popup menus of the program, by the menu table's index of each.
HWND FindOpenMenu(const std::vector<HWND>& dialogs, HWND program, ProbeClient& probe, int menu);

}  // namespace pelorin::wine_scenario
