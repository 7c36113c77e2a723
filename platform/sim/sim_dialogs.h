#pragma once
// Modal dialogs and context menus of the simulation: each takes the next
// queued answer (one queue for all kinds) and is logged in the order shown.
// A dialog without a fitting answer is recorded as a failure and closed as
// cancelled; nothing throws.

#include <deque>
#include <functional>
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
  int result = 0;                // the search result chosen
  bool shift = false;            // Shift held with Enter in the search window
  platform::KeyCombination key;  // the key entered in the call-up key dialog
  int tag = 0;  // the caller's own mark (the scenario runner: its line)
};

enum class DialogKind { MsgBox, InputBox, Popup, Search, CallUpKey };

// What the search window showed once a text stood in its field: each
// result as its kaomoji and its category.
struct SearchShown {
  std::string text;
  std::vector<std::string> results;  // kaomoji, category, kaomoji, category ...
  std::vector<std::string> statusLines;
};

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
  // search window: the empty field, then the field after each character typed
  std::vector<SearchShown> searched;

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
  // Types the answer's text one character at a time, recording what each
  // text showed, then chooses or cancels.
  std::optional<platform::SearchChoice> Search(const std::string& caption,
                                               platform::SearchSource& source);
  // Takes answers until one closes the dialog: OK with a key the program
  // refuses keeps it open for the next answer.
  void CallUpKey(const platform::CallUpKeyDialogTexts& texts,
                 const std::function<bool(const std::optional<platform::KeyCombination>&)>& confirm);

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
