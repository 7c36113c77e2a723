#include "tests/scenario/player.h"

namespace pelorin::scenario {

ShownDialog SimDialogLog::At(std::size_t index) const {
  const sim::DialogRecord& record = log_[index];
  std::vector<SearchStep> searched;
  for (const sim::SearchShown& step : record.searched)
    searched.push_back({step.text, step.results});
  return {KindAt(index),      record.text,  record.caption,      record.flags,
          record.defaultText, record.items, std::move(searched), record.Describe()};
}

std::string SimPasteLog::DescribeOldest() const {
  const sim::PasteRecord& paste = log_.front();
  return "Ctrl+V to " + Quoted(paste.target) +
         (paste.text ? " with " + Quoted(*paste.text) : std::string(" with no text"));
}

StepResult Player::Run(const Command& command) {
  StepResult result = Dispatch(command);
  std::vector<std::string> failures = sim_.TakeFailures();
  if (!failures.empty() && !result) result = failures.front();
  return result;
}

std::optional<int> Player::PendingAnswerLine() const {
  if (sim_.PendingAnswers().empty()) return std::nullopt;
  return sim_.PendingAnswers().front().tag;
}

StepResult Player::MarkOtherCopyRunning() {
  sim_.SetAnotherCopyRunning(true);
  return Pass();
}

StepResult Player::SetClipboard(const std::string& text) {
  sim_.SetClipboard(text);
  return Pass();
}

StepResult Player::SetWindows(const std::vector<std::string>& titles) {
  sim_.SetOtherWindows(titles);
  return Pass();
}

StepResult Player::SetFault(const Command& command) {
  const std::string& op = command.args[0].text;
  const sim::FileOp fileOp = op == "write"    ? sim::FileOp::Write
                             : op == "rename" ? sim::FileOp::Rename
                             : op == "delete" ? sim::FileOp::Delete
                                              : sim::FileOp::Read;
  std::string why;
  if (!command.args[1].IsAny() && !ResolvePath(Folder(), command.args[1].text, why)) return why;
  sim_.Faults().Fail(fileOp, command.args[1].IsAny() ? "*" : command.args[1].text);
  return Pass();
}

StepResult Player::Heal(const Command&) {
  sim_.Faults().Heal();
  return Pass();
}

StepResult Player::HoldKey(const platform::KeyCombination& key, const Command&) {
  sim_.HoldKey(key);
  return Pass();
}

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

StepResult Player::QueueAnswer(const Answer& answer) {
  sim_.QueueAnswer({answer.kind, answer.text, answer.item, answer.result, answer.shift, answer.key,
                    answer.line});
  return Pass();
}

StepResult Player::ExpectGeometry(const Command& command) {
  const platform::Rect rect = sim_.WindowRect();
  const float actual[] = {rect.left, rect.top, rect.width, rect.height};
  std::string expected = "geometry";
  std::string found;
  bool same = true;
  for (std::size_t i = 0; i < 4; ++i) {
    same = same && static_cast<float>(command.args[i].number) == actual[i];
    expected.append(" ").append(FormatNumber(command.args[i].number));
    found.append(i > 0 ? " " : "").append(FormatNumber(actual[i]));
  }
  return same ? Pass() : Expected(expected, found);
}

StepResult Player::ExpectListRect(const Command& command) {
  const ListName list = command.args[0].list;
  const platform::Rect rect = sim_.ListRect(Id(list));
  const float actual = command.kind == CommandKind::ExpectListHeight  ? rect.height
                       : command.kind == CommandKind::ExpectListWidth ? rect.width
                                                                      : rect.left;
  if (static_cast<float>(command.args[1].number) == actual) return Pass();
  const std::string what = command.name.substr(command.name.find(' ') + 1);
  return Expected(what + " of " + NameOf(list) + " " + FormatNumber(command.args[1].number),
                  FormatNumber(actual));
}

StepResult Player::ExpectValue(const Command& command) {
  if (command.kind == CommandKind::ExpectCurrentFile) {
    if (form_->CurrentFile() == command.args[0].text) return Pass();
    return Expected("CurrentFile " + Quoted(command.args[0].text), Quoted(form_->CurrentFile()));
  }
  if (form_->LastShift() == command.args[0].Integer()) return Pass();
  return Expected("LastShift " + std::to_string(command.args[0].Integer()),
                  std::to_string(form_->LastShift()));
}

}  // namespace pelorin::scenario
