// The application's place and neighbours: its folder, the shell, and the one
// copy per user session.

#include <objbase.h>

#include <algorithm>

#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"

namespace pelorin::platform::win32 {
namespace {

// One name per user session, whatever folder the program runs from.
constexpr wchar_t kInstanceMutex[] = L"Local\\Pelorin.Form1.SingleInstance";

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring WithBackslashes(std::wstring path) {
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

// A function of a system DLL, loaded on first use and kept until the program
// ends; null when either cannot be found. From the system folder only, never
// from beside the program.
template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = ::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  // Through a function pointer without parameters: GetProcAddress's FARPROC
  // does not convert to the real type without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);

// The shell, with the COM that ShellExecuteW may need for the shell
// extensions it hands the target to, is set up when the program first opens
// something (the help, the support page), not at every start: ole32 and
// shell32 with the DLLs they bring along made about a sixth of the time from
// start to window shown under Wine. COM stays initialized on this thread
// until the program ends. Only the window's thread opens things, so plain
// statics do (a guarded one would bring the C++ runtime's locking along).
ShellExecuteFunction ShellExecuteEntry() {
  static bool loaded = false;
  static ShellExecuteFunction entry = nullptr;
  if (loaded) return entry;
  loaded = true;
  const auto initialize = SystemFunction<CoInitializeExFunction>(L"ole32.dll", "CoInitializeEx");
  if (initialize != nullptr) initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  entry = SystemFunction<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
  return entry;
}

}  // namespace

std::string Win32Platform::AppFolder() const {
  std::wstring path = ModulePath();
  const size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash);
  std::replace(path.begin(), path.end(), L'\\', L'/');
  return Narrow(path);
}

// A file (its '/' separators turned into Windows' own) or a web address, with
// the application folder as the working folder.
void Win32Platform::ShellOpen(const std::string& target) {
  const bool address = target.find("://") != std::string::npos;
  const std::wstring file = address ? Widen(target) : WithBackslashes(Widen(target));
  const std::wstring folder = WithBackslashes(Widen(AppFolder()));
  if (const ShellExecuteFunction shellExecute = ShellExecuteEntry()) {
    shellExecute(window_, L"open", file.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
  }
}

bool Win32Platform::AnotherCopyRunning() {
  if (!anotherCopy_) {
    instanceMutex_.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutex));
    anotherCopy_ = instanceMutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
  }
  return *anotherCopy_;
}

}  // namespace pelorin::platform::win32
