#include "tests/e2e/wine_scenario/player.h"

#include "tests/e2e/wine_scenario/layout_rules.h"

namespace pelorin::wine_scenario {

using K = scenario::CommandKind;

Player::Player(Environment& environment, int number)
    : environment_(environment), folder_(environment.workFolder, number, environment.exe) {
  // Each scenario starts with an empty clipboard.
  SetClipboardText(environment_.probe.Owner(), std::nullopt);
  // The program inherits it and hands it on to what the shell starts.
  ::SetEnvironmentVariableW(L"PELORIN_OPENED_LOG", OpenedLogPath().c_str());
}

Player::~Player() {
  // The program goes first, without its shutdown; then the world it lived in.
  program_.reset();
  // A holder's clean end gives its key back before it goes.
  for (auto& holder : keyHolders_) {
    ::PostThreadMessageW(holder->ThreadId(), WM_QUIT, 0, 0);
    holder->WaitForExit(5000);
  }
  SetClipboardText(environment_.probe.Owner(), std::nullopt);
}

StepResult Player::Run(const scenario::Command& command) {
  Trace(std::to_string(command.line) + ": " + command.source);
  if (scenario::IsSimOnlyObservation(command)) {
    ++environment_.passedOver;
    return Pass();
  }
  const StepResult result = Dispatch(command);
  const bool action = command.kind == K::Start || command.kind == K::Restart ||
                      (command.kind >= K::Click && command.kind <= K::Restore);
  if (result || !action || !Running() || !program_->WindowShown()) return result;
  if (std::optional<std::string> broken = LayoutBroken()) {
    return "after " + command.source + " the layout's rules do not hold: " + *broken;
  }
  return Pass();
}

std::optional<std::string> Player::LayoutBroken() {
  HWND list3 = program_->ListWindow(ListName::List3);
  RECT rect{};
  if (list3Width_ == 0 && !program_->IsMinimized() && ::GetWindowRect(list3, &rect)) {
    list3Width_ = rect.right - rect.left;
  }
  return LayoutViolation(Window(), program_->ListWindow(ListName::List2), list3, list3Width_);
}

}  // namespace pelorin::wine_scenario
