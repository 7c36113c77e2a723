// The application's place and neighbours: its folder, the shell, and the one
// copy per user session.

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
  ::ShellExecuteW(window_, L"open", file.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

bool Win32Platform::AnotherCopyRunning() {
  if (!anotherCopy_) {
    instanceMutex_.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutex));
    anotherCopy_ = instanceMutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
  }
  return *anotherCopy_;
}

}  // namespace pelorin::platform::win32
