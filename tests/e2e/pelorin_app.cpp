#include "tests/e2e/pelorin_app.h"

#include "tests/e2e/desktop.h"

namespace pelorin::e2e {
namespace {

constexpr DWORD kMessageTimeoutMs = 3000;

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return AskWindow(window, message, wParam, lParam, kMessageTimeoutMs);
}

}  // namespace

PelorinApp::~PelorinApp() {
  if (process_.hProcess != nullptr) {
    if (Running()) ::TerminateProcess(process_.hProcess, 99);
    ::CloseHandle(process_.hProcess);
    ::CloseHandle(process_.hThread);
  }
}

bool PelorinApp::Launch(std::string* error) {
  std::wstring commandLine = L"\"" + exePath_ + L"\"";
  const size_t slash = exePath_.find_last_of(L'\\');
  // The working folder is the one above the program's: the program must find
  // its files from its own path, not from where it was started.
  std::wstring workingFolder = exePath_.substr(0, slash);
  workingFolder = workingFolder.substr(0, workingFolder.find_last_of(L'\\'));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!::CreateProcessW(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &process_)) {
    *error = "CreateProcessW failed, error " + std::to_string(::GetLastError());
    return false;
  }
  return true;
}

// The program activates itself when it shows its window; the checks start
// once that has happened and it waits for input.
bool PelorinApp::WaitForWindow(DWORD timeoutMs) {
  const bool shown = WaitUntil(
      [&] {
        window_ = FindTopLevel(process_.dwProcessId, L"PelorinForm1", L"Pelorin");
        return window_ != nullptr && ::GetForegroundWindow() == window_;
      },
      timeoutMs);
  ::WaitForInputIdle(process_.hProcess, timeoutMs);
  return shown;
}

bool PelorinApp::Running() const {
  return process_.hProcess != nullptr &&
         ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool PelorinApp::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!WaitUntil([&] { return !Running(); }, timeoutMs)) return false;
  ::GetExitCodeProcess(process_.hProcess, exitCode);
  return true;
}

HWND PelorinApp::ListWindow(List list) const {
  return ::GetDlgItem(window_, static_cast<int>(list));
}

std::vector<std::wstring> PelorinApp::Texts(List list) const {
  return ListBoxTexts(ListWindow(list), kMessageTimeoutMs);
}

int PelorinApp::Selected(List list) const {
  const LRESULT selected = Ask(ListWindow(list), LB_GETCURSEL);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

bool PelorinApp::ItemCenter(List list, int index, POINT* where) const {
  HWND box = ListWindow(list);
  RECT item{};
  if (Ask(box, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) ==
      LB_ERR) {
    return false;
  }
  *where = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  return ::ClientToScreen(box, where) != FALSE;
}

bool PelorinApp::IsTopmost() const {
  return (::GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool PelorinApp::HasMenuBar() const { return ::GetMenu(window_) != nullptr; }

RECT PelorinApp::WindowRect() const {
  RECT rect{};
  ::GetWindowRect(window_, &rect);
  return rect;
}

void PelorinApp::Repaint() const {
  ::RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace pelorin::e2e
