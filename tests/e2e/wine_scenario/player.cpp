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
}

Player::~Player() {
  // The program goes first, without its shutdown; then the world it lived in.
  program_.reset();
  targets_.Clear();
  if (otherCopy_ != nullptr) ::CloseHandle(otherCopy_);
  SetClipboardText(environment_.probe.Owner(), std::nullopt);
}

StepResult Player::Run(const scenario::Command& command) {
  playing_ = command.source;
  Trace(std::to_string(command.line) + ": " + command.source);
  StepResult result;
  switch (command.kind) {
    case K::Start:
      result = Start();
      break;
    case K::Close:
      result = Close();
      break;
    case K::Restart:
      result = Restart();
      break;
    case K::AnswerInput:
    case K::AnswerMsgBox:
    case K::AnswerPopup:
      result = QueueAnswer(command);
      break;
    default:
      if (command.kind <= K::Heal) {
        result = RunSetup(command);
      } else if (command.kind >= K::Click && command.kind <= K::Restore) {
        result = RunAction(command);
      } else {
        result = RunExpectation(command);
      }
      break;
  }
  // A dialog the scenario did not answer fails the command that opened it.
  if (!failures_.empty() && !result) result = failures_.front();
  failures_.clear();
  if (!result && IsAction(command.kind)) result = CheckLayoutAfter(command);
  return result;
}

StepResult Player::Finish(int& line) {
  if (answers_.empty()) return Pass();
  line = answers_.front().line;
  return Expected("every answer taken by a dialog",
                  "an answer still queued at the end of the scenario");
}

StepResult Player::CannotDo(const std::string& why) const {
  return Expected("that the user can " + playing_, why);
}

bool Player::ProgramRunning() const { return program_ != nullptr && program_->Running(); }

HWND Player::Window() const { return program_ != nullptr ? program_->Window() : nullptr; }

UINT Player::Dpi() const { return ProgramRunning() ? program_->Dpi() : ::GetDpiForSystem(); }

StepResult Player::RequireProgram() const {
  if (!started_) return Expected("a started program", "none started");
  if (!ProgramRunning()) return Expected("a running program", "it ended");
  return Pass();
}

StepResult Player::CheckLayoutAfter(const scenario::Command& command) {
  if (!ProgramRunning() || !program_->WindowShown()) return Pass();
  if (list3Width_ == 0) list3Width_ = List3Width(*program_);
  if (std::optional<std::string> broken = LayoutViolation(*program_, list3Width_)) {
    return "after " + command.source + " the layout's rules do not hold: " + *broken;
  }
  return Pass();
}

StepResult Player::RunExpectation(const scenario::Command& command) {
  switch (command.kind) {
    case K::ExpectEnded:
      return ExpectEnded();
    case K::ExpectRunning:
      return ExpectRunning();
    case K::ExpectList:
      return ExpectList(command);
    case K::ExpectSelected:
      return ExpectSelected(command);
    case K::ExpectVisible:
    case K::ExpectChecked:
      return ExpectMenu(command);
    case K::ExpectTopmost:
      return ExpectTopmost(command);
    case K::ExpectGeometry:
      return ExpectGeometry(command);
    case K::ExpectState:
      return ExpectState(command);
    case K::ExpectListHeight:
    case K::ExpectListWidth:
    case K::ExpectListLeft:
      // The real rows and frame decide these; the layout's rules are checked
      // after every action instead.
      return RequireProgram();
    case K::ExpectTooltip:
      return ExpectTooltip(command);
    case K::ExpectActive:
      return ExpectActive(command);
    case K::ExpectFile:
      return ExpectFile(command, true);
    case K::ExpectBytes:
      return ExpectFile(command, false);
    case K::ExpectNoFile:
      return ExpectNoFile(command);
    case K::ExpectIni:
      return ExpectIni(command);
    case K::ExpectMsgBox:
      return ExpectMsgBox(command);
    case K::ExpectInputBox:
      return ExpectInputBox(command);
    case K::ExpectPopup:
      return ExpectPopup(command);
    case K::ExpectNoDialog:
      return ExpectNoDialog();
    case K::ExpectPasted:
      return ExpectPasted(command);
    case K::ExpectNoPaste:
      return ExpectNoPaste();
    case K::ExpectBeep:
      return ExpectBeep(command);
    case K::ExpectClipboard:
      return ExpectClipboard(command);
    default:
      break;
  }
  return "the Windows runner cannot play '" + command.name + "'";
}

}  // namespace pelorin::wine_scenario
