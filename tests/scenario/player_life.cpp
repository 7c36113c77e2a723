// The program's life (start, close, restart) and the answers queued for its
// dialogs.
#include "app/menu_table.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

using K = CommandKind;

StepResult Player::Start() {
  if (sim_.ProgramRunning()) return Expected("no program running at start", "it running");
  auto form = std::make_unique<app::Form1>(sim_);
  form->Create();
  // The earlier run's Form1 (if any) goes only now that the world has
  // switched to the new window.
  form_ = std::move(form);
  beepsChecked_ = sim_.BeepCount();
  if (sim::ActionResult loaded = sim_.Load(); !loaded) {
    return Expected("the program's window created", loaded.error);
  }
  return Pass();
}

StepResult Player::Close() {
  if (sim::ActionResult closed = sim_.Close(); !closed) {
    return Expected("a program window to close", closed.error);
  }
  return Pass();
}

StepResult Player::Restart() {
  if (StepResult failure = Close()) return failure;
  if (sim_.ProgramRunning()) return Expected("the program ended by close", "it still running");
  return Start();
}

StepResult Player::ExpectEnded() {
  if (!form_) return Expected("the program ended", "it never started");
  if (!sim_.Ended()) return Expected("the program ended", "it running");
  return Pass();
}

StepResult Player::ExpectRunning() {
  if (!form_) return Expected("the program running", "it never started");
  if (sim_.Ended()) return Expected("the program running", "it ended");
  if (!sim_.IsWindowShown()) return Expected("the program's window shown", "it hidden");
  return Pass();
}

StepResult Player::QueueAnswer(const Command& command) {
  const Arg& arg = command.args[0];
  sim::Answer answer;
  answer.tag = command.line;
  answer.text = arg.text;
  switch (command.kind) {
    case K::AnswerInput:
      answer.kind = arg.Is("ok")       ? sim::AnswerKind::InputOk
                    : arg.Is("cancel") ? sim::AnswerKind::InputCancel
                                       : sim::AnswerKind::InputText;
      break;
    case K::AnswerMsgBox:
      answer.kind = arg.Is("ok") ? sim::AnswerKind::MsgBoxOk : sim::AnswerKind::MsgBoxCancel;
      break;
    default:
      answer.kind = arg.Is("dismiss") ? sim::AnswerKind::PopupDismiss : sim::AnswerKind::PopupItem;
      if (answer.kind == sim::AnswerKind::PopupItem) {
        std::optional<app::MenuItem> item = app::FindMenuItem(arg.text);
        if (!item) return Expected("a menu item name", Quoted(arg.text));
        answer.item = *item;
      }
      break;
  }
  sim_.QueueAnswer(answer);
  return Pass();
}

}  // namespace pelorin::scenario
