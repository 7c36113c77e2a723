// The program's life (start, close, restart) and the answers queued for its
// dialogs.
#include "tests/scenario/player.h"
#include "tests/scenario/window_expectations.h"

namespace pelorin::scenario {

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

StepResult Player::ExpectEnded() { return CheckEnded(Started(), sim_.Ended()); }

StepResult Player::ExpectRunning() {
  return CheckRunning(Started(), !sim_.Ended(), sim_.IsWindowShown());
}

StepResult Player::QueueAnswer(const Answer& answer) {
  sim::Answer queued;
  queued.kind = answer.kind;
  queued.text = answer.text;
  queued.item = answer.item;
  queued.result = answer.result;
  queued.shift = answer.shift;
  queued.key = answer.key;
  queued.tag = answer.line;
  sim_.QueueAnswer(queued);
  return Pass();
}

}  // namespace pelorin::scenario
