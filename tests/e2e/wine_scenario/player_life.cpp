// The program's life (start, close, restart) and the answers queued for its
// dialogs.
#include "tests/e2e/wine_scenario/player.h"
#include "tests/scenario/window_expectations.h"

namespace pelorin::wine_scenario {

namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kEndTimeoutMs = 15000;
constexpr DWORD kActivationTimeoutMs = 3000;

// The close box on the caption, found as the window itself tells it.
std::optional<POINT> CloseBox(HWND window) {
  RECT rect{};
  if (!::GetWindowRect(window, &rect)) return std::nullopt;
  for (int y = rect.top + 2; y < rect.top + 48 && y < rect.bottom; y += 2) {
    for (int x = rect.right - 2; x > rect.right - 80 && x > rect.left; x -= 2) {
      const LRESULT hit = Ask(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (hit != HTCLOSE) continue;
      // The middle of the box: walk on to its left end.
      int left = x;
      while (left - 1 > rect.left &&
             Ask(window, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y)) == HTCLOSE) {
        --left;
      }
      return POINT{(left + x) / 2, y + 4};
    }
  }
  return std::nullopt;
}

}  // namespace

StepResult Player::Start() {
  if (Running()) return Expected("no program running at start", "it running");
  program_ = std::make_unique<Program>();
  std::string why;
  // The working folder is not the program's own: it must find its files from
  // its own path.
  if (!program_->Launch(folder_.Exe().wstring(), environment_.workFolder.wstring(), &why)) {
    return Expected("the program started", why);
  }
  started_ = true;
  beepsSeen_ = beepsChecked_ = 0;
  list3Width_ = 0;  // measured again once the window is shown
  const bool appeared = e2e::WaitUntil(
      [&] {
        return !program_->Running() || (program_->Window() != nullptr &&
                                        (program_->WindowShown() || !program_->Dialogs().empty()));
      },
      kStartTimeoutMs);
  if (!appeared) return Expected("the program's window shown", "nothing within 30 s");
  StepResult settled = Settle();
  if (Running() && program_->WindowShown() && !program_->IsMinimized()) {
    // The first show brings the window to the front with the focus.
    HWND window = Window();
    e2e::WaitUntil([&] { return ::GetForegroundWindow() == window; }, kActivationTimeoutMs);
  }
  return settled;
}

StepResult Player::Close() {
  if (!Running()) return Expected("a program window to close", "the program is not running");
  if (!program_->WindowShown()) {
    return Expected("a program window to close", "the program's window is not shown");
  }
  HWND window = Window();
  std::optional<POINT> box;
  if (!program_->IsMinimized()) {
    e2e::Activate(window);
    box = CloseBox(window);
  }
  if (box && ::WindowFromPoint(*box) == window) {
    const RECT around{box->x, box->y, box->x + 1, box->y + 1};
    PressAt(e2e::Button::Left, *box, around);
  } else {
    // What the close box does, for a window whose box cannot be clicked.
    ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  return Settle();
}

StepResult Player::Restart() {
  if (StepResult failure = Close()) return failure;
  if (!program_->WaitForExit(kEndTimeoutMs)) {
    return Expected("the program ended by close", "it still running");
  }
  return Start();
}

StepResult Player::ExpectEnded() {
  return scenario::CheckEnded(started_, started_ && program_->WaitForExit(kEndTimeoutMs));
}

StepResult Player::ExpectRunning() {
  return scenario::CheckRunning(started_, Running(), Running() && program_->WindowShown());
}

}  // namespace pelorin::wine_scenario
