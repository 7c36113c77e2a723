#include "platform/sim/dialog_answer.h"

#include "platform/sim/scenario_quote.h"

namespace pelorin::sim {

std::string DescribeAnswer(AnswerKind kind, const std::string& text) {
  switch (kind) {
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
