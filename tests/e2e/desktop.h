#pragma once
// What a test program does on the desktop as a user would: real mouse and
// keyboard input through SendInput, and waiting (with this thread's own
// windows kept alive) until something has happened. Shared by the Windows
// scenario runner and the Wine benchmarks.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelorin::e2e {

// Pumps this thread's messages until the condition holds or the time is up,
// trying it at least every pollMs (a timing wants 1).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 10);
// Pumps messages for a while.
void Pause(DWORD ms);

// Mouse input at screen coordinates.
enum class Button { Left, LeftTwice, Right };
bool MoveMouse(POINT where);
bool Click(POINT where, Button button = Button::Left);

// Keyboard input: the keys go down in this order and up in the other, as a
// hand presses modifiers first.
bool PressKeys(const std::vector<WORD>& virtualKeys);
inline bool PressKey(WORD virtualKey) { return PressKeys({virtualKey}); }
// Types text as characters (KEYEVENTF_UNICODE), whatever the keyboard layout.
bool TypeText(const std::wstring& text);

// Brings one of this program's windows (or any window, under wine) to the
// top of its band and waits until it is the foreground window.
bool Activate(HWND window);

// A message sent with a timeout, as the answer of a hung window must not
// stall the run; nullopt (Ask: LB_ERR) when no answer came.
std::optional<LRESULT> TryAsk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return TryAsk(window, message, wParam, lParam).value_or(LB_ERR);
}
// An entry of another program's list box, read with a timeout; empty when
// there is none.
std::wstring ListBoxText(HWND box, int index);

inline POINT Center(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A window class of this program's own, with the procedure.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure);
// For a window procedure of this program's own windows: the object the window
// was created for (the last argument of CreateWindowExW), kept in the
// window's GWLP_USERDATA from WM_NCCREATE on; nullptr before.
template <class Owner>
Owner* CreatedFor(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Texts of another program's windows and controls, read with WM_GETTEXT.
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Top-level windows of a process (or of every process with pid 0), top first.
std::vector<HWND> TopLevelWindowsOf(DWORD processId, bool visibleOnly = true);

}  // namespace pelorin::e2e
