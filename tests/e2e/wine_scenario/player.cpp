#include "tests/e2e/wine_scenario/player.h"

#include "tests/e2e/wine_scenario/layout_rules.h"

namespace pelorin::wine_scenario {

using K = scenario::CommandKind;

namespace {

bool IsAction(K kind) {
  return kind == K::Start || kind == K::Restart || (kind >= K::Click && kind <= K::Restore);
}

}  // namespace

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
  targets_.Clear();
  if (otherCopy_ != nullptr) ::CloseHandle(otherCopy_);
  SetClipboardText(environment_.probe.Owner(), std::nullopt);
}

StepResult Player::Run(const scenario::Command& command) {
  Trace(std::to_string(command.line) + ": " + command.source);
  if (scenario::IsSimOnlyObservation(command)) {
    ++environment_.passedOver;
    return Pass();
  }
  StepResult result = Dispatch(command);
  // A dialog the scenario did not answer fails the command that opened it.
  if (!failures_.empty() && !result) result = failures_.front();
  failures_.clear();
  if (!result && IsAction(command.kind)) result = CheckLayoutAfter(command);
  return result;
}

std::optional<int> Player::PendingAnswerLine() const {
  if (answers_.empty()) return std::nullopt;
  return answers_.front().line;
}

bool Player::ProgramRunning() const { return program_ != nullptr && program_->Running(); }

HWND Player::Window() const { return program_ != nullptr ? program_->Window() : nullptr; }

UINT Player::Dpi() const { return ProgramRunning() ? program_->Dpi() : ::GetDpiForSystem(); }

StepResult Player::CheckLayoutAfter(const scenario::Command& command) {
  if (!ProgramRunning() || !program_->WindowShown()) return Pass();
  if (list3Width_ == 0) list3Width_ = List3Width(*program_);
  if (std::optional<std::string> broken = LayoutViolation(*program_, list3Width_)) {
    return "after " + command.source + " the layout's rules do not hold: " + *broken;
  }
  return Pass();
}

}  // namespace pelorin::wine_scenario
