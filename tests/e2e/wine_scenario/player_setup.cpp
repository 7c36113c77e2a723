// Setup commands that change the desktop, not the application folder:
// another copy running, the clipboard, the other windows.
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

namespace {

// The other copy's mark: the named mutex the program looks for.
constexpr wchar_t kInstanceMutex[] = L"Local\\Pelorin.Form1.SingleInstance";

}  // namespace

// Another copy runs as far as the program can tell: its mutex exists.
StepResult Player::MarkOtherCopyRunning() {
  if (otherCopy_ != nullptr) return Pass();
  otherCopy_ = ::CreateMutexW(nullptr, FALSE, kInstanceMutex);
  if (otherCopy_ == nullptr) return Expected("the other copy's mutex made", "it could not be");
  return Pass();
}

StepResult Player::SetClipboard(const std::string& text) {
  if (!SetClipboardText(environment_.probe.Owner(), text)) {
    return Expected("the clipboard set", "it could not be opened");
  }
  return Pass();
}

StepResult Player::SetWindows(const std::vector<std::string>& titles) {
  HWND below = ProgramRunning() && program_->WindowShown() ? Window() : nullptr;
  const bool keepActive = below != nullptr && ::GetForegroundWindow() == below;
  if (!targets_.Replace(titles, below, keepActive)) {
    return Expected("the other windows made and the first active", "they could not be");
  }
  Trace("after windows: " + DescribeDesktop());
  return ProgramRunning() ? Settle() : Pass();
}

}  // namespace pelorin::wine_scenario
