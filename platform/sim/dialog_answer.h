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
};

// "answer input "x"", "answer popup dismiss" and so on, for messages.
std::string DescribeAnswer(AnswerKind kind, const std::string& text);

}  // namespace pelorin::sim
