// Form1's outer geometry, state, topmost band and frame sizes, in twips at the
// window's own DPI.

#include <windows.h>

#include <algorithm>

#include "platform/win32/twips.h"
#include "platform/win32/win32_platform.h"

namespace pelorin::platform::win32 {
namespace {

Rect ToTwips(const RECT& rect, UINT dpi) {
  return {PixelsToTwips(rect.left, dpi), PixelsToTwips(rect.top, dpi),
          PixelsToTwips(rect.right - rect.left, dpi), PixelsToTwips(rect.bottom - rect.top, dpi)};
}

RECT ToPixels(const Rect& rect, UINT dpi) {
  const int left = TwipsToPixels(rect.left, dpi);
  const int top = TwipsToPixels(rect.top, dpi);
  const int width = std::max(0, TwipsToPixels(rect.width, dpi));
  const int height = std::max(0, TwipsToPixels(rect.height, dpi));
  return {left, top, left + width, top + height};
}

// WINDOWPLACEMENT's normal position is in workspace coordinates, which start
// at the work area of the monitor rather than at the screen's corner.
RECT ScreenToWorkspace(RECT rect) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) {
    ::OffsetRect(&rect, info.rcMonitor.left - info.rcWork.left,
                 info.rcMonitor.top - info.rcWork.top);
  }
  return rect;
}

int Height(const RECT& rect) { return rect.bottom - rect.top; }
int Width(const RECT& rect) { return rect.right - rect.left; }

}  // namespace

Rect Win32Platform::WindowRect() const {
  RECT rect{};
  if (window_ == nullptr || !::GetWindowRect(window_, &rect)) return {};
  return ToTwips(rect, Dpi());
}

void Win32Platform::SetWindowRect(const Rect& rect) {
  if (window_ == nullptr) return;
  QuietScope quiet(*this);
  const RECT pixels = ToPixels(rect, Dpi());
  if (::IsIconic(window_) || ::IsZoomed(window_)) {
    // The rectangle is the one the window returns to; it stays as it is now.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window_, &placement);
    placement.rcNormalPosition = ScreenToWorkspace(pixels);
    placement.flags = 0;
    ::SetWindowPlacement(window_, &placement);
    return;
  }
  ::SetWindowPos(window_, nullptr, pixels.left, pixels.top, Width(pixels), Height(pixels),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowState Win32Platform::GetWindowState() const {
  if (window_ != nullptr && ::IsIconic(window_)) return WindowState::Minimized;
  if (window_ != nullptr && ::IsZoomed(window_)) return WindowState::Maximized;
  return WindowState::Normal;
}

void Win32Platform::SetWindowState(WindowState state) {
  if (window_ == nullptr || GetWindowState() == state) return;
  QuietScope quiet(*this);
  // SW_SHOWNORMAL, not SW_RESTORE: a window minimized from the maximized state
  // must come back normal.
  const int command = state == WindowState::Minimized   ? SW_MINIMIZE
                      : state == WindowState::Maximized ? SW_MAXIMIZE
                                                        : SW_SHOWNORMAL;
  ::ShowWindow(window_, command);
}

void Win32Platform::SetTopmost(bool topmost) {
  if (window_ == nullptr) return;
  QuietScope quiet(*this);
  ::SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

bool Win32Platform::IsTopmost() const {
  return window_ != nullptr && (::GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Win32Platform::ShowWindow() {
  if (window_ == nullptr) return;
  QuietScope quiet(*this);
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
}

bool Win32Platform::IsWindowShown() const {
  return window_ != nullptr && ::IsWindowVisible(window_);
}

// What the real window has: the frame is measured where it can be (a menu
// bar that wraps to two lines is then counted whole); the state the window is
// not in is derived with AdjustWindowRectExForDpi.
FrameSizes Win32Platform::GetFrameSizes() const {
  const UINT dpi = Dpi();
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  if (window_ != nullptr) {
    style = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE));
    exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE));
  }
  RECT bare{};
  ::AdjustWindowRectExForDpi(&bare, style, FALSE, exStyle, dpi);
  RECT withBar{};
  ::AdjustWindowRectExForDpi(&withBar, style, TRUE, exStyle, dpi);
  int width = Width(bare);
  int heightWithout = Height(bare);
  int heightWith = Height(withBar);

  RECT outer{};
  RECT client{};
  if (window_ != nullptr && !::IsIconic(window_) && ::GetWindowRect(window_, &outer) &&
      ::GetClientRect(window_, &client)) {
    width = Width(outer) - Width(client);
    const int measured = Height(outer) - Height(client);
    if (::GetMenu(window_) != nullptr) {
      heightWith = measured;
    } else {
      heightWith = measured + (heightWith - heightWithout);
      heightWithout = measured;
    }
  }
  return {PixelsToTwips(width, dpi), PixelsToTwips(heightWith, dpi),
          PixelsToTwips(heightWithout, dpi)};
}

std::vector<Rect> Win32Platform::Monitors() const {
  std::vector<RECT> workAreas;
  ::EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfoW(monitor, &info)) {
          reinterpret_cast<std::vector<RECT>*>(data)->push_back(info.rcWork);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&workAreas));
  const UINT dpi = Dpi();
  std::vector<Rect> result;
  for (const RECT& area : workAreas) result.push_back(ToTwips(area, dpi));
  return result;
}

WindowHandle Win32Platform::OwnWindow() const {
  return static_cast<WindowHandle>(reinterpret_cast<UINT_PTR>(window_));
}

}  // namespace pelorin::platform::win32
