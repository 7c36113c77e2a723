// The window procedure of Form1: a switch that hands each message to a named
// handler. Only what the user (or the system) does reaches WindowEvents.

#include <windows.h>

#include "platform/win32/win32_platform.h"
#ifdef PELORIN_PROBE
#include "platform/win32/probe/probe_protocol.h"
#endif

namespace pelorin::platform::win32 {

LRESULT CALLBACK Win32Platform::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<Win32Platform*>(create->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Platform*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  DispatchScope dispatching(*self);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->lists_ = {};
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT Win32Platform::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
#ifdef PELORIN_PROBE
  static const UINT probeMessage = ::RegisterWindowMessageW(probe::kMessageName);
  if (message == probeMessage && probeMessage != 0) return AnswerProbe(wParam, lParam);
#endif
  switch (message) {
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends without WM_CLOSE: shut down so that nothing is lost.
      if (wParam && events_ != nullptr) events_->OnUnload();
      return 0;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_INITMENUPOPUP:
      if (HIWORD(lParam) == 0) OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(wParam);
      break;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_HOTKEY:
      OnHotKey(wParam);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Platform::OnSize() {
  if (!Quiet()) events_->OnResize();
}

bool Win32Platform::OnClose() {
  if (events_ != nullptr && !events_->OnUnload()) return false;
  if (window_ != nullptr) ::DestroyWindow(window_);
  return true;
}

void Win32Platform::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam != 0) {
    if (const auto list = ListOf(reinterpret_cast<HWND>(lParam))) {
      OnListNotification(*list, HIWORD(wParam));
    }
    return;
  }
  if (HIWORD(wParam) != 0) return;  // accelerators: the program has none
  if (const auto item = menus_.ItemOfCommand(LOWORD(wParam)); item && !Quiet()) {
    events_->OnMenuClick(*item);
  }
}

void Win32Platform::OnListNotification(ListId list, int code) {
  if (Quiet() || list == ListId::List1) return;
  switch (code) {
    case LBN_SELCHANGE:
      // During a press of the mouse the click is decided when the button is
      // released (list_input.cpp), so that each click raises exactly one.
      if (!gestures_[static_cast<int>(list) - 1].active) events_->OnListClick(list);
      break;
    case LBN_DBLCLK:
      events_->OnListDoubleClick(list);
      break;
    default:
      break;
  }
}

// Opening a menu of the bar is that menu's click (編集 adjusts its items then).
void Win32Platform::OnInitMenuPopup(HMENU popup) {
  const auto item = menus_.ItemOfPopup(popup);
  if (item && menus_.IsBarMenu(*item) && !Quiet()) events_->OnMenuClick(*item);
}

void Win32Platform::OnDpiChanged(UINT dpi, const RECT& suggested) {
  const UINT oldDpi = fontDpi_;
  {
    QuietScope quiet(*this);
    ApplyFont();
    for (HWND list : lists_) {
      RECT rect{};
      ::GetWindowRect(list, &rect);
      ::MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&rect), 2);
      ::MoveWindow(list, ::MulDiv(rect.left, dpi, oldDpi), ::MulDiv(rect.top, dpi, oldDpi),
                   ::MulDiv(rect.right - rect.left, dpi, oldDpi),
                   ::MulDiv(rect.bottom - rect.top, dpi, oldDpi), TRUE);
    }
  }
  // Not quiet: the system resized the window, so the layout runs.
  ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The list that had the focus gets it back when the window is activated again.
void Win32Platform::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) return;
  HWND focus = ::GetFocus();
  if (focus != nullptr && ::IsChild(window_, focus)) lastFocus_ = focus;
}

HWND Win32Platform::FocusOnActivation() const {
  HWND target = lastFocus_;
  if (target == nullptr || !::IsWindowVisible(target)) target = ListWindow(ListId::List2);
  return target;
}

void Win32Platform::OnSetFocus() {
  if (HWND target = FocusOnActivation()) ::SetFocus(target);
}

void Win32Platform::OnDestroy() {
  // The menus belong to the MenuTree, not to the window.
  ::SetMenu(window_, nullptr);
  toolTip_.reset();
  callUpKey_ = HotKeyRegistration();
  quitPosted_ = true;
  ::PostQuitMessage(0);
}

void Win32Platform::EndProgram() {
  QuietScope quiet(*this);
  if (window_ != nullptr) {
    ::DestroyWindow(window_);
  } else if (!quitPosted_) {
    quitPosted_ = true;
    ::PostQuitMessage(0);
  }
}

}  // namespace pelorin::platform::win32
