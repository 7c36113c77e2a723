#include "tests/e2e/desktop.h"

namespace pelorin::e2e {
namespace {

bool Send(std::vector<INPUT> inputs) {
  const auto count = static_cast<UINT>(inputs.size());
  return ::SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

// At absolute coordinates over the whole virtual screen, 0..65535.
INPUT Mouse(POINT where, DWORD buttons = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = ::MulDiv(where.x - ::GetSystemMetrics(SM_XVIRTUALSCREEN), 65535,
                         ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
  input.mi.dy = ::MulDiv(where.y - ::GetSystemMetrics(SM_YVIRTUALSCREEN), 65535,
                         ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | buttons;
  return input;
}

// A key by its virtual-key code, or a character whatever the keyboard layout.
INPUT Key(WORD virtualKey, bool up, wchar_t character = 0) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = character == 0 ? virtualKey : 0;
  input.ki.wScan =
      character == 0 ? static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) : character;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (character == 0 ? 0 : KEYEVENTF_UNICODE);
  return input;
}

// A text of another program's of `length` characters, copied by the message
// (wParam: the entry's index; for WM_GETTEXT, the buffer's size).
std::wstring CopyText(HWND window, LRESULT length, UINT message, WPARAM wParam) {
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = Ask(window, message, message == WM_GETTEXT ? text.size() : wParam,
                             reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (condition()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, pollMs, QS_ALLINPUT);
  }
}

void Pause(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

bool MoveMouse(POINT where) {
  if (!Send({Mouse(where)})) return false;
  return WaitUntil(
      [&] {
        POINT now{};
        return ::GetCursorPos(&now) && now.x == where.x && now.y == where.y;
      },
      1000);
}

// The pointer comes to rest first, as a hand's would; then every button
// event carries its position. Under wine's virtual desktop the X pointer
// follows a move late and can pull the cursor back to where it was a moment
// ago; a bare button event would then land there.
bool Click(POINT where, Button button) {
  if (!MoveMouse(where)) return false;
  Pause(100);
  const bool right = button == Button::Right;
  std::vector<INPUT> inputs;
  for (int i = button == Button::LeftTwice ? 2 : 1; i > 0; --i) {
    inputs.push_back(Mouse(where, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
    inputs.push_back(Mouse(where, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
  }
  return Send(std::move(inputs));
}

bool PressKeys(const std::vector<WORD>& virtualKeys) {
  std::vector<INPUT> inputs;
  for (WORD key : virtualKeys) inputs.push_back(Key(key, false));
  for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key) {
    inputs.push_back(Key(*key, true));
  }
  return Send(std::move(inputs));
}

bool TypeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    for (bool up : {false, true}) inputs.push_back(Key(0, up, c));
  }
  return inputs.empty() || Send(std::move(inputs));
}

bool Activate(HWND window) {
  // As a user's click does: to the top of its band, also when it is active
  // already (the active window need not be the top one).
  ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (::GetForegroundWindow() == window) return true;
  ::SetForegroundWindow(window);
  return WaitUntil([&] { return ::GetForegroundWindow() == window; }, 2000);
}

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = name;
  ::RegisterClassExW(&windowClass);
}

std::optional<LRESULT> TryAsk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  // Not SMTO_BLOCK: the window may send to this thread's windows meanwhile.
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

std::wstring ListBoxText(HWND box, int index) {
  const auto at = static_cast<WPARAM>(index);
  return CopyText(box, Ask(box, LB_GETTEXTLEN, at), LB_GETTEXT, at);
}

std::wstring WindowText(HWND window) {
  return CopyText(window, Ask(window, WM_GETTEXTLENGTH), WM_GETTEXT, 0);
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId, bool visibleOnly) {
  struct Search {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
  } search{processId, visibleOnly, {}};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if ((!s.visibleOnly || ::IsWindowVisible(window)) &&
            (s.processId == 0 || owner == s.processId)) {
          s.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace pelorin::e2e
