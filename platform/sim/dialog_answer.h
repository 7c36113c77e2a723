#pragma once
// The kinds of answer a scenario queues for the program's dialogs, and how an
// answer is written in a scenario file. Shared by the simulation and both
// scenario runners; depends on nothing else, so the Windows runner can use it
// without the simulation.

#include <string>

namespace pelorin::sim {

enum class AnswerKind {
  InputText,  // type the text over the default, then OK
  InputOk,    // OK with the default unchanged
  InputCancel,
  MsgBoxOk,
  MsgBoxCancel,
  PopupItem,  // choose the item named by the text
  PopupDismiss,
  SearchChoose,  // type the text, then Enter (or Shift+Enter) on a result
  SearchCancel,  // type the text, then Esc
  CallUpKeyOk,   // enter the key named by the text, then OK
  CallUpKeyNone,
  CallUpKeyCancel,
};

// "answer input "x"", "answer popup dismiss" and so on, for messages;
// `result` and `shift` only for a chosen search result.
std::string DescribeAnswer(AnswerKind kind, const std::string& text, int result = 0,
                           bool shift = false);

}  // namespace pelorin::sim
