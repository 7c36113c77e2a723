#pragma once
// Modal dialogs and context menus of the simulation: each takes the next
// queued answer (one queue for all kinds) and is logged in the order shown.
// A dialog without a fitting answer is recorded as a failure and closed as
// cancelled; nothing throws.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/dialog_answer.h"
#include "platform/sim/scenario_quote.h"
#include "platform/sim/sim_menus.h"

namespace pelorin::sim {

struct Answer {
  AnswerKind kind = AnswerKind::MsgBoxOk;
  std::string text;
  platform::MenuItemId item = -1;
  int tag = 0;  // the caller's own mark (the scenario runner: its line)
};

enum class DialogKind { MsgBox, InputBox, Popup };

struct DialogRecord {
  DialogKind kind = DialogKind::MsgBox;
  std::string text;     // message, or the input box's prompt
  std::string caption;  // as shown: the application title when none was given
  int flags = 0;
  std::string defaultText;
  float left = 0;
  float top = 0;
  std::vector<std::string> items;  // popup: captions of the visible items, "-" separators
  long operationsBefore = 0;  // file operations the program had made when it was shown

  // "message box "..." "Pelorin" 0" and so on, for messages.
  std::string Describe() const;
};

class SimDialogs {
 public:
  void Queue(const Answer& answer) { answers_.push_back(answer); }
  const std::deque<Answer>& Pending() const { return answers_; }
  std::deque<DialogRecord>& Log() { return log_; }

  int MsgBox(const std::string& text, int flags, const std::string& caption);
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                      const std::string& defaultText, float left, float top);
  std::optional<platform::MenuItemId> Popup(platform::MenuItemId popup, const SimMenus& menus);

  // Failures recorded since the last call.
  std::vector<std::string> TakeFailures();

 private:
  // The next answer when it is one of the two kinds; else a failure.
  std::optional<Answer> Take(const DialogRecord& shown, AnswerKind first, AnswerKind last);

  std::deque<Answer> answers_;
  std::deque<DialogRecord> log_;
  std::vector<std::string> failures_;
};


}  // namespace pelorin::sim
