#pragma once
// What the end-to-end driver does on the desktop as a user would: real mouse
// and keyboard input through SendInput, and waiting (with this thread's own
// windows kept alive) until something has happened.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace pelorin::e2e {

// Pumps this thread's messages until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Pumps messages for a while.
void Pause(DWORD ms);

// Mouse input at screen coordinates.
bool MoveMouse(POINT where);
bool Click(POINT where);
bool DoubleClick(POINT where);
bool RightClick(POINT where);

// Keyboard input: a key pressed and released, or one direction only.
bool PressKey(WORD virtualKey);
bool KeyDown(WORD virtualKey);
bool KeyUp(WORD virtualKey);
// Types text as characters (KEYEVENTF_UNICODE), whatever the keyboard layout.
bool TypeText(const std::wstring& text);

// Brings one of this program's windows (or any window, under wine) to the
// front and waits until it is the foreground window.
bool Activate(HWND window);

// Texts of another program's windows and controls, read with WM_GETTEXT.
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Visible top-level windows of a process (or of every process with pid 0).
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
HWND FindTopLevel(DWORD processId, const std::wstring& className, const std::wstring& title);
std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className);

// Text as shown in a report: UTF-8, control characters escaped.
std::string Show(const std::wstring& text);

}  // namespace pelorin::e2e
