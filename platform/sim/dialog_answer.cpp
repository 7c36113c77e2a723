#include "platform/sim/dialog_answer.h"

#include "platform/sim/scenario_quote.h"

namespace pelorin::sim {

std::string DescribeAnswer(AnswerKind kind, const std::string& text, int result, bool shift) {
  switch (kind) {
    case AnswerKind::SearchChoose:
      return "answer search " + Quote(text) + " " + std::to_string(result) +
             (shift ? " shift" : "");
    case AnswerKind::SearchCancel:
      return "answer search " + Quote(text) + " cancel";
    case AnswerKind::CallUpKeyOk:
      return "answer hotkey " + text;
    case AnswerKind::CallUpKeyNone:
      return "answer hotkey none";
    case AnswerKind::CallUpKeyCancel:
      return "answer hotkey cancel";
    case AnswerKind::InputText:
      return "answer input " + Quote(text);
    case AnswerKind::InputOk:
      return "answer input ok";
    case AnswerKind::InputCancel:
      return "answer input cancel";
    case AnswerKind::MsgBoxOk:
      return "answer msgbox ok";
    case AnswerKind::MsgBoxCancel:
      return "answer msgbox cancel";
    case AnswerKind::PopupItem:
      return "answer popup " + text;
    case AnswerKind::PopupDismiss:
      break;
  }
  return "answer popup dismiss";
}

}  // namespace pelorin::sim
