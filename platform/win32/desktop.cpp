// The desktop as the paste sees it: the top-level windows in stacking order,
// activation by handle, and the beep.

#include <windows.h>

#include "platform/win32/timing/timing.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace pelorin::platform::win32 {
namespace {

constexpr DWORD kActivationTimeoutMs = 1000;
constexpr DWORD kFocusTimeoutMs = 250;
constexpr DWORD kActivationPollMs = 5;
constexpr int kTitleCapacity = 1024;

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto& windows = *reinterpret_cast<std::vector<TopLevelWindow>*>(data);
  // GetWindowTextW reads another program's title without sending it a
  // message, so a hung window cannot stall the listing.
  wchar_t title[kTitleCapacity];
  const int length = ::GetWindowTextW(window, title, kTitleCapacity);
  TopLevelWindow entry;
  entry.handle = static_cast<WindowHandle>(reinterpret_cast<UINT_PTR>(window));
  entry.title = Narrow(std::wstring_view(title, static_cast<size_t>(length > 0 ? length : 0)));
  entry.visible = ::IsWindowVisible(window) != FALSE;
  windows.push_back(std::move(entry));
  return TRUE;
}

// Handles messages sent by other threads (activation changes) while waiting,
// without running anything that was posted.
void WaitBriefly() {
  ::MsgWaitForMultipleObjectsEx(0, nullptr, kActivationPollMs, QS_SENDMESSAGE, 0);
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// The target's thread has given the keyboard focus to one of its windows.
bool HasFocus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  return ::GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr;
}

bool WaitFor(HWND target, bool (*reached)(HWND), DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!reached(target)) {
    if (::GetTickCount() - start >= timeoutMs) return false;
    WaitBriefly();
  }
  return true;
}

bool IsForeground(HWND window) { return ::GetForegroundWindow() == window; }

}  // namespace

std::vector<TopLevelWindow> Win32Platform::TopLevelWindows() const {
  std::vector<TopLevelWindow> windows;
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// SetForegroundWindow on another program's window completes asynchronously:
// the window becomes the foreground window first and its thread gives the
// focus to its edit control a moment later. A keystroke sent in between is
// lost, or its Ctrl is, and the target sees a bare "v". So wait, bounded,
// for both; a target that never comes to the front is a failure.
bool Win32Platform::ActivateWindow(WindowHandle window) {
  HWND target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
  if (target == nullptr || !::IsWindow(target)) return false;
  timing::Start("activation");  // the benchmark build's spans, to Ctrl+V sent
  if (IsForeground(target)) {
    // Already active is not always on top: another window may have been
    // raised without taking the activation. The paste reads the stacking
    // order right after this, so lift the window as activating it would.
    ::SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    ::SetForegroundWindow(target);
    if (!WaitFor(target, &IsForeground, kActivationTimeoutMs)) return false;
  }
  timing::Start("foreground");
  // A window that keeps no focus (minimized) still counts as activated.
  (void)WaitFor(target, &HasFocus, kFocusTimeoutMs);
  return true;
}

void Win32Platform::Beep() {
  ++beepsMade_;
  ::MessageBeep(MB_OK);
}

}  // namespace pelorin::platform::win32
