// MsgBox, InputBox and the context menus: modal, on Form1's thread.

#include <windows.h>

#include "platform/win32/input_box.h"
#include "platform/win32/twips.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace pelorin::platform::win32 {

// The flags are Windows' own MB_ values (0 OK, 1 OK and Cancel, 16 critical,
// 48 warning) and the answers IDOK and IDCANCEL are kMsgBoxOk and kMsgBoxCancel.
int Win32Platform::MsgBox(const std::string& text, int flags, const std::string& caption) {
  const std::wstring title = caption.empty() ? std::wstring(kCaption) : Widen(caption);
  // Before the window is shown (a second copy) the box stands alone and must
  // come to the front by itself.
  const bool owned = window_ != nullptr && ::IsWindowVisible(window_);
  UINT style = static_cast<UINT>(flags);
  if (!owned) style |= MB_SETFOREGROUND;
  // Over a dialog of the program that is open (the call-up key dialog
  // refusing a key), the box belongs to that dialog.
  HWND owner = owned ? window_ : nullptr;
  if (owned && !::IsWindowEnabled(window_)) {
    HWND popup = ::GetLastActivePopup(window_);
    if (popup != nullptr && ::IsWindowEnabled(popup)) owner = popup;
  }
  const int answer = ::MessageBoxW(owner, Widen(text).c_str(), title.c_str(), style);
  return answer == 0 ? kMsgBoxCancel : answer;
}

std::optional<std::string> Win32Platform::InputBox(const std::string& prompt,
                                                   const std::string& caption,
                                                   const std::string& defaultText, float left,
                                                   float top) {
  InputBoxRequest request;
  request.prompt = Widen(prompt);
  request.caption = caption.empty() ? std::wstring(kCaption) : Widen(caption);
  request.defaultText = Widen(defaultText);
  request.dpi = Dpi();
  request.topLeft = {TwipsToPixels(left, request.dpi), TwipsToPixels(top, request.dpi)};
  const auto answer = RunInputBox(instance_, window_, request);
  if (!answer) return std::nullopt;
  return Narrow(*answer);
}

std::optional<MenuItemId> Win32Platform::PopupMenu(MenuItemId popup) {
  HMENU menu = menus_.PopupOf(popup);
  if (menu == nullptr || window_ == nullptr) return std::nullopt;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  // TPM_RETURNCMD: the choice comes back here instead of as WM_COMMAND; the
  // core runs the item's click itself.
  const auto command = static_cast<UINT>(::TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, cursor.x, cursor.y, window_, nullptr));
  if (command == 0) return std::nullopt;
  return menus_.ItemOfCommand(command);
}

}  // namespace pelorin::platform::win32
