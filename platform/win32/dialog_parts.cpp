#include "platform/win32/dialog_parts.h"

#include <algorithm>

namespace pelorin::platform::win32 {

HWND AddControl(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                DWORD exStyle, int id, RECT rect, HFONT font) {
  HWND control = ::CreateWindowExW(
      exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
      rect.right - rect.left, rect.bottom - rect.top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
  return text;
}

void PlaceDialogOver(HWND dialog, HWND owner, int width, int height, UINT dpi) {
  RECT outer{0, 0, width, height};
  ::AdjustWindowRectExForDpi(&outer, kDialogStyle, FALSE, WS_EX_DLGMODALFRAME, dpi);
  const int outerWidth = outer.right - outer.left;
  const int outerHeight = outer.bottom - outer.top;
  RECT over{};
  if (owner == nullptr || !::GetWindowRect(owner, &over)) ::GetWindowRect(dialog, &over);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  // Centred over the owner, but whole on its monitor.
  int left = (over.left + over.right - outerWidth) / 2;
  int top = (over.top + over.bottom - outerHeight) / 2;
  left = std::max(static_cast<int>(work.left),
                  std::min(left, static_cast<int>(work.right) - outerWidth));
  top = std::max(static_cast<int>(work.top),
                 std::min(top, static_cast<int>(work.bottom) - outerHeight));
  ::SetWindowPos(dialog, nullptr, left, top, outerWidth, outerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace pelorin::platform::win32
