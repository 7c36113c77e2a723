#include "tests/scenario/player.h"

namespace pelorin::scenario {

using K = CommandKind;

Player::Player() = default;

// The program goes first, without its shutdown: it may hold the world.
Player::~Player() { form_.reset(); }

StepResult Player::Run(const Command& command) {
  StepResult result;
  switch (command.kind) {
    case K::File:
    case K::Bytes:
    case K::Mkdir:
    case K::Rmdir:
    case K::Running:
    case K::Clipboard:
    case K::Windows:
    case K::Fail:
    case K::Heal:
      result = RunSetup(command);
      break;
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
    case K::Click:
    case K::DoubleClick:
    case K::Key:
    case K::RightClick:
    case K::Menu:
    case K::Open:
    case K::Focus:
    case K::Activate:
    case K::Resize:
    case K::Move:
    case K::Minimize:
    case K::Maximize:
    case K::Restore:
      result = RunAction(command);
      break;
    default:
      result = RunExpectation(command);
      break;
  }
  // A dialog the scenario did not answer fails the command that opened it.
  std::vector<std::string> failures = sim_.TakeFailures();
  if (!failures.empty() && !result) result = failures.front();
  return result;
}

StepResult Player::Finish(int& line) {
  if (sim_.PendingAnswers().empty()) return Pass();
  line = sim_.PendingAnswers().front().tag;
  return Expected("every answer taken by a dialog",
                  "an answer still queued at the end of the scenario");
}

StepResult Player::RunExpectation(const Command& command) {
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
      return ExpectListRect(command);
    case K::ExpectTooltip:
      return ExpectTooltip(command);
    case K::ExpectActive:
      return ExpectActive(command);
    case K::ExpectCurrentFile:
    case K::ExpectLastShift:
      return ExpectValue(command);
    case K::ExpectFile:
      return ExpectFile(command);
    case K::ExpectBytes:
      return ExpectBytes(command);
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
    case K::ExpectOpened:
      return ExpectOpened(command);
    case K::ExpectClipboard:
      return ExpectClipboard(command);
    default:
      break;
  }
  return "the player cannot run '" + command.name + "'";
}

StepResult Player::RequireProgram() const {
  if (!form_) return Expected("a started program", "none started");
  return Pass();
}

}  // namespace pelorin::scenario
