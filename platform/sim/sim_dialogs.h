#pragma once
// What the simulation's modal dialogs and context menus take and log
// (SimPlatform's dialogs, sim_dialogs.cpp): each takes the next queued answer
// (one queue for all kinds) and is logged in the order shown. A dialog
// without a fitting answer is recorded as a failure and closed as cancelled;
// nothing throws.

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/dialog_answer.h"

namespace pelorin::sim {

struct Answer {
  AnswerKind kind = AnswerKind::MsgBoxOk;
  std::string text;
  platform::MenuItemId item = -1;
  int result = 0;                // the search result chosen
  bool shift = false;            // Shift held with Enter in the search window
  platform::KeyCombination key;  // the key entered in the call-up key dialog
  int tag = 0;                   // the caller's own mark (the scenario runner: its line)
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
  long operationsBefore = 0;       // file operations the program had made when it was shown
  // search window: the empty field, then the field after each character typed
  std::vector<SearchShown> searched;

  // "message box "..." "Pelorin" 0" and so on, for messages.
  std::string Describe() const;
};

}  // namespace pelorin::sim
