#pragma once
// The runner's side of the test build's probe (platform/win32/probe/
// probe_protocol.h): asks the program's main window and takes text answers
// in a message-only window of its own.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/probe/probe_protocol.h"
#include "platform/win32/unique.h"

namespace pelorin::wine_scenario {

namespace probe = platform::win32::probe;

// One item of an open popup menu, as the real menu holds it.
struct MenuItemView {
  int item = -1;  // the menu table's index; -1 for a separator or an unknown item
  bool separator = false;
  bool highlighted = false;
  std::string caption;  // as shown ("&&" read as "&")
};

struct PopupView {
  int menu = -1;  // the menu table's index of the popup
  std::vector<MenuItemView> items;

  // Position of the item among the items that are not separators; -1 when absent.
  int SelectablePosition(int item) const;
  // The highlighted item's table index, -1 when none is.
  int Highlighted() const;
};

class ProbeClient {
 public:
  ProbeClient();
  ProbeClient(const ProbeClient&) = delete;
  ProbeClient& operator=(const ProbeClient&) = delete;

  bool Ready() const { return window_ && message_ != 0; }
  // The runner's own hidden window, also the owner of what it puts on the
  // clipboard (a clipboard opened without a window cannot be set).
  HWND Owner() const { return window_.get(); }

  // The answer of the program's main window; nullopt when it gave none (no
  // window, hung, or no probe: then the answer is 0 and not kHelloAnswer).
  std::optional<LRESULT> Ask(HWND program, probe::Question question,
                             unsigned long long argument = 0) const;
  std::optional<std::wstring> AskText(HWND program, probe::Question question,
                                      unsigned long long argument = 0);
  std::optional<PopupView> DescribePopup(HWND program, HWND popupWindow);
  // The caption of a menu item as its menu holds it ("&&" read as "&").
  std::optional<std::string> MenuCaption(HWND program, int item);
  // The rows of a search window's results as its list shows them: kaomoji,
  // category, kaomoji, category ...
  std::optional<std::vector<std::string>> SearchRows(HWND program, HWND searchWindow);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  platform::win32::UniqueWindow window_;
  UINT message_ = 0;
  std::optional<std::wstring> text_;
};

}  // namespace pelorin::wine_scenario
