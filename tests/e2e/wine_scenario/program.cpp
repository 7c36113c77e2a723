#include "tests/e2e/wine_scenario/program.h"

#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {

Program::~Program() {
  if (process_.hProcess == nullptr) return;
  if (Running()) {
    ::TerminateProcess(process_.hProcess, 99);
    ::WaitForSingleObject(process_.hProcess, 5000);
  }
  ::CloseHandle(process_.hProcess);
  ::CloseHandle(process_.hThread);
}

bool Program::Launch(const std::wstring& exePath, const std::wstring& workingFolder,
                     std::string* why, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exePath + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!::CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &process_)) {
    *why = "CreateProcessW failed, error " + std::to_string(::GetLastError());
    process_ = {};
    return false;
  }
  return true;
}

bool Program::Running() const {
  return process_.hProcess != nullptr &&
         ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(DWORD timeoutMs) const {
  return e2e::WaitUntil([&] { return !Running(); }, timeoutMs);
}

std::optional<DWORD> Program::ExitCode() const {
  DWORD code = 0;
  if (Running() || !::GetExitCodeProcess(process_.hProcess, &code)) return std::nullopt;
  return code;
}

HWND Program::Window() {
  if (window_ != nullptr && ::IsWindow(window_)) return window_;
  window_ = nullptr;
  if (!Running()) return nullptr;
  for (HWND window : e2e::TopLevelWindowsOf(process_.dwProcessId, false)) {
    if (e2e::ClassName(window) == L"PelorinForm1") return window_ = window;
  }
  return nullptr;
}

UINT Program::Dpi() {
  const UINT dpi = Window() != nullptr ? ::GetDpiForWindow(window_) : 0;
  return dpi != 0 ? dpi : ::GetDpiForSystem();
}

std::vector<HWND> Program::Dialogs(bool menusOnly) const {
  std::vector<HWND> dialogs;
  if (process_.hProcess == nullptr) return dialogs;
  for (HWND window : e2e::TopLevelWindowsOf(process_.dwProcessId)) {
    const std::wstring name = e2e::ClassName(window);
    if (name == L"#32768" || (name == L"#32770" && !menusOnly)) dialogs.push_back(window);
  }
  return dialogs;
}

GUITHREADINFO Program::ThreadInfo() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (process_.hProcess == nullptr || !::GetGUIThreadInfo(process_.dwThreadId, &info)) return {};
  return info;
}

HWND Program::Focus() const { return ThreadInfo().hwndFocus; }

bool Program::InMenuMode() const { return (ThreadInfo().flags & GUI_INMENUMODE) != 0; }

HWND Program::ListWindow(scenario::ListName list) {
  HWND window = Window();
  return window != nullptr ? ::GetDlgItem(window, static_cast<int>(list)) : nullptr;
}

std::vector<std::string> Program::Texts(scenario::ListName list) {
  HWND box = ListWindow(list);
  std::vector<std::string> texts;
  const LRESULT count = box != nullptr ? Ask(box, LB_GETCOUNT) : 0;
  for (int i = 0; i < count; ++i) texts.push_back(Utf8(e2e::ListBoxText(box, i)));
  return texts;
}

int Program::Selected(scenario::ListName list) {
  HWND box = ListWindow(list);
  const LRESULT selected = box != nullptr ? Ask(box, LB_GETCURSEL) : LB_ERR;
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

bool Program::ItemRect(scenario::ListName list, int index, RECT* rect) {
  HWND box = ListWindow(list);
  if (box == nullptr || Ask(box, LB_GETITEMRECT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(rect)) == LB_ERR) {
    return false;
  }
  ::MapWindowPoints(box, HWND_DESKTOP, reinterpret_cast<POINT*>(rect), 2);
  return true;
}

void Program::ShowEntry(scenario::ListName list, int index) {
  HWND box = ListWindow(list);
  RECT item{};
  RECT client{};
  if (box == nullptr || !ItemRect(list, index, &item) || !::GetClientRect(box, &client)) return;
  ::MapWindowPoints(box, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  if (item.top >= client.top && item.bottom <= client.bottom) return;
  Ask(box, LB_SETTOPINDEX, static_cast<WPARAM>(index));
}

}  // namespace pelorin::wine_scenario
