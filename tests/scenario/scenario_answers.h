#pragma once
// The answers a scenario queues for the program's dialogs (answer input,
// msgbox, popup), read from their commands alike by both runners. Each dialog
// takes the next answer, which must be of its kind.

#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/sim/dialog_answer.h"
#include "tests/scenario/dialog_expectations.h"
#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

using sim::AnswerKind;

struct Answer {
  AnswerKind kind = AnswerKind::MsgBoxOk;
  std::string text;  // typed text, or the item's name
  int item = -1;     // the menu table's index of the item
  int result = 0;    // answer search: the result chosen
  bool shift = false;  // answer search: Shift+Enter
  platform::KeyCombination key;  // answer hotkey: the key entered
  int line = 0;      // the line of the answer command
};

// The answer an answer command queues; nullopt with the failure when the
// popup answer names no menu item, or the hotkey answer no key the call-up
// key dialog takes.
std::optional<Answer> AnswerOf(const Command& command, StepResult& failure);

// "answer input "x"", "answer popup dismiss" and so on, for messages.
std::string Describe(const Answer& answer);

// True when a dialog of this kind takes this answer.
bool Fits(const Answer& answer, DialogKind dialog);

}  // namespace pelorin::scenario
