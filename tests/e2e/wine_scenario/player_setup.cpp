// Setup commands that change the desktop, not the application folder:
// another copy running, the clipboard, the other windows, a key held by
// another program.
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

// Another copy runs as far as the program can tell: its mutex exists.
StepResult Player::MarkOtherCopyRunning() {
  if (!otherCopy_) {
    otherCopy_.reset(::CreateMutexW(nullptr, FALSE, L"Local\\Pelorin.Form1.SingleInstance"));
  }
  return otherCopy_ ? Pass() : Expected("the other copy's mutex made", "it could not be");
}

StepResult Player::SetClipboard(const std::string& text) {
  return SetClipboardText(environment_.probe.Owner(), text)
             ? Pass()
             : Expected("the clipboard set", "it could not be opened");
}

StepResult Player::SetWindows(const std::vector<std::string>& titles) {
  HWND below = Running() && program_->WindowShown() ? Window() : nullptr;
  const bool keepActive = below != nullptr && ::GetForegroundWindow() == below;
  if (!targets_.Replace(titles, below, keepActive)) {
    return Expected("the other windows made and the first active", "they could not be");
  }
  Trace("after windows: " + DescribeDesktop());
  return Running() ? Settle() : Pass();
}

// A run of pelorin-hotkey-holder.exe (beside the runner) registers the key
// and sets the event once it holds it, or ends when it cannot; it keeps the
// key until the scenario ends.
StepResult Player::HoldKey(const platform::KeyCombination& key, const scenario::Command&) {
  static int made = 0;
  const std::wstring event = L"Local\\Pelorin.HeldKey." + std::to_wstring(::GetCurrentProcessId()) +
                             L"." + std::to_wstring(++made);
  const platform::win32::UniqueHandle held(::CreateEventW(nullptr, TRUE, FALSE, event.c_str()));
  std::wstring runner(MAX_PATH * 4, L'\0');
  runner.resize(::GetModuleFileNameW(nullptr, runner.data(), static_cast<DWORD>(runner.size())));
  const UINT modifiers =
      (key.ctrl ? MOD_CONTROL : 0) | (key.alt ? MOD_ALT : 0) | (key.shift ? MOD_SHIFT : 0);
  auto holder = std::make_unique<Program>();
  std::string why;
  if (!held ||
      !holder->Launch(
          (std::filesystem::path(runner).parent_path() / L"pelorin-hotkey-holder.exe").wstring(),
          environment_.workFolder.wstring(), &why,
          std::to_wstring(modifiers) + L" " + std::to_wstring(key.keyCode) + L" " + event)) {
    return CannotDo("pelorin-hotkey-holder.exe could not be started: " + why);
  }
  const HANDLE waitFor[] = {held.get(), holder->Process()};
  const DWORD woke = ::WaitForMultipleObjects(2, waitFor, FALSE, 5000);
  if (woke == WAIT_OBJECT_0 + 1) {
    return CannotDo("the key could not be registered: something holds it already");
  }
  if (woke != WAIT_OBJECT_0) return CannotDo("the holder did not take the key in time");
  keyHolders_.push_back(std::move(holder));
  return Pass();
}

}  // namespace pelorin::wine_scenario
