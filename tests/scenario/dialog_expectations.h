#pragma once
// The expectations on the dialogs and context menus the program showed:
// expect msgbox, inputbox, popup, nodialog. A runner logs what was shown,
// oldest first; an expectation checks the oldest unchecked entry of its own
// kind and takes it off the log. Both runners check them here, each through
// its own log.

#include <cstddef>
#include <string>
#include <vector>

#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

enum class DialogKind { MsgBox, InputBox, Popup, Search, CallUpKey };

// What a search window showed once a text stood in its field.
struct SearchStep {
  std::string text;
  std::vector<std::string> results;  // kaomoji, category, kaomoji, category ...
};

// One logged dialog as the expectations compare it.
struct ShownDialog {
  DialogKind kind = DialogKind::MsgBox;
  std::string text;     // message, or the input box's prompt
  std::string caption;  // as shown
  int flags = 0;        // message box: as MsgBox takes them
  std::string defaultText;
  std::vector<std::string> items;  // popup: captions of the visible items, "-" separators
  std::vector<SearchStep> searched;  // search window: every text its field held
  std::string described;           // "message box "..." "Pelorin" 0", for failures
};

// A runner's log of what it saw shown.
class DialogLog {
 public:
  virtual ~DialogLog() = default;
  virtual std::size_t Size() const = 0;
  virtual DialogKind KindAt(std::size_t index) const = 0;
  virtual ShownDialog At(std::size_t index) const = 0;
  // True when the input box at `index` stood at LEFT TOP (twips, each may be
  // *), as finely as this runner can tell where it stood.
  virtual bool PlacedAt(std::size_t index, const Arg& left, const Arg& top) const = 0;
  virtual void Take(std::size_t index) = 0;
};

StepResult CheckMsgBox(DialogLog& log, const Command& command);
StepResult CheckInputBox(DialogLog& log, const Command& command);
StepResult CheckPopup(DialogLog& log, const Command& command);
// expect search: the oldest unchecked search window, at the text given.
StepResult CheckSearch(DialogLog& log, const Command& command);
StepResult CheckCallUpKeyDialog(DialogLog& log);
StepResult CheckNoDialog(const DialogLog& log);

}  // namespace pelorin::scenario
