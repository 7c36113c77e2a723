#include "tests/e2e/wine_scenario/held_key.h"

#include <filesystem>
#include <utility>

namespace pelorin::wine_scenario {
namespace {

constexpr DWORD kHoldTimeoutMs = 5000;

std::filesystem::path HolderPath() {
  std::wstring own(MAX_PATH * 4, L'\0');
  own.resize(::GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size())));
  return std::filesystem::path(own).parent_path() / L"pelorin-hotkey-holder.exe";
}

}  // namespace

HeldKey::HeldKey(const platform::KeyCombination& key, std::string* why) {
  static int made = 0;
  const std::wstring eventName = L"Local\\Pelorin.HeldKey." +
                                 std::to_wstring(::GetCurrentProcessId()) + L"." +
                                 std::to_wstring(++made);
  HANDLE held = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
  if (held == nullptr) {
    *why = "the holder's event could not be made";
    return;
  }
  UINT modifiers = 0;
  if (key.ctrl) modifiers |= MOD_CONTROL;
  if (key.alt) modifiers |= MOD_ALT;
  if (key.shift) modifiers |= MOD_SHIFT;
  const std::wstring holder = HolderPath().wstring();
  std::wstring commandLine = L"\"" + holder + L"\" " + std::to_wstring(modifiers) + L" " +
                             std::to_wstring(key.keyCode) + L" " + eventName;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(holder.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
    ::CloseHandle(held);
    *why = "pelorin-hotkey-holder.exe could not be started";
    return;
  }
  process_ = started;
  const HANDLE waitFor[] = {held, process_.hProcess};
  const DWORD woke = ::WaitForMultipleObjects(2, waitFor, FALSE, kHoldTimeoutMs);
  ::CloseHandle(held);
  if (woke == WAIT_OBJECT_0) return;
  *why = woke == WAIT_OBJECT_0 + 1 ? "the key could not be registered: something holds it already"
                                   : "the holder did not take the key in time";
  End();
}

HeldKey::HeldKey(HeldKey&& other) noexcept : process_(std::exchange(other.process_, {})) {}

HeldKey::~HeldKey() { End(); }

void HeldKey::End() {
  if (process_.hProcess == nullptr) return;
  // A clean end gives the key back before the process goes.
  ::PostThreadMessageW(process_.dwThreadId, WM_QUIT, 0, 0);
  if (::WaitForSingleObject(process_.hProcess, kHoldTimeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, kHoldTimeoutMs);
  }
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
  process_ = {};
}

}  // namespace pelorin::wine_scenario
