#include "tests/scenario/scenario_answers.h"

#include "tests/scenario/menu_item_names.h"

namespace pelorin::scenario {

std::optional<Answer> AnswerOf(const Command& command, StepResult& failure) {
  const Arg& arg = command.args[0];
  Answer answer;
  answer.line = command.line;
  answer.text = arg.text;
  switch (command.kind) {
    case CommandKind::AnswerInput:
      answer.kind = arg.Is("ok")       ? AnswerKind::InputOk
                    : arg.Is("cancel") ? AnswerKind::InputCancel
                                       : AnswerKind::InputText;
      break;
    case CommandKind::AnswerMsgBox:
      answer.kind = arg.Is("ok") ? AnswerKind::MsgBoxOk : AnswerKind::MsgBoxCancel;
      break;
    default:
      answer.kind = arg.Is("dismiss") ? AnswerKind::PopupDismiss : AnswerKind::PopupItem;
      if (answer.kind == AnswerKind::PopupItem) {
        const std::optional<app::MenuItem> item = NamedMenuItem(arg.text, failure);
        if (!item) return std::nullopt;
        answer.item = *item;
      }
      break;
  }
  return answer;
}

std::string Describe(const Answer& answer) { return sim::DescribeAnswer(answer.kind, answer.text); }

bool Fits(const Answer& answer, DialogKind dialog) {
  switch (dialog) {
    case DialogKind::MsgBox:
      return answer.kind == AnswerKind::MsgBoxOk || answer.kind == AnswerKind::MsgBoxCancel;
    case DialogKind::InputBox:
      return answer.kind >= AnswerKind::InputText && answer.kind <= AnswerKind::InputCancel;
    case DialogKind::Popup:
      break;
  }
  return answer.kind == AnswerKind::PopupItem || answer.kind == AnswerKind::PopupDismiss;
}

}  // namespace pelorin::scenario
