#include "tests/scenario/scenario_answers.h"

#include "app/key_names.h"
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
    case CommandKind::AnswerSearch:
      answer.kind =
          command.args[1].Is("cancel") ? AnswerKind::SearchCancel : AnswerKind::SearchChoose;
      answer.result = command.args[1].Integer();
      answer.shift = command.args.size() > 2;
      break;
    case CommandKind::AnswerHotKey: {
      answer.kind = arg.Is("cancel") ? AnswerKind::CallUpKeyCancel
                    : arg.Is("none") ? AnswerKind::CallUpKeyNone
                                     : AnswerKind::CallUpKeyOk;
      if (answer.kind != AnswerKind::CallUpKeyOk) break;
      const std::optional<platform::KeyCombination> key = app::ParseKeyName(arg.text);
      if (!key || app::FormatKeyName(*key) != arg.text) {
        failure = Expected("a key as the menu caption writes it (Ctrl+Alt+J)", Quoted(arg.text));
        return std::nullopt;
      }
      answer.key = *key;
      break;
    }
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

std::string Describe(const Answer& answer) {
  return sim::DescribeAnswer(answer.kind, answer.text, answer.result, answer.shift);
}

bool Fits(const Answer& answer, DialogKind dialog) {
  // The kinds each dialog takes, from first to last, by DialogKind.
  static constexpr AnswerKind kTaken[][2] = {
      {AnswerKind::MsgBoxOk, AnswerKind::MsgBoxCancel},
      {AnswerKind::InputText, AnswerKind::InputCancel},
      {AnswerKind::PopupItem, AnswerKind::PopupDismiss},
      {AnswerKind::SearchChoose, AnswerKind::SearchCancel},
      {AnswerKind::CallUpKeyOk, AnswerKind::CallUpKeyCancel}};
  const AnswerKind* taken = kTaken[static_cast<int>(dialog)];
  return answer.kind >= taken[0] && answer.kind <= taken[1];
}

}  // namespace pelorin::scenario
