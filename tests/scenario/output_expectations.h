#pragma once
// The expectations on what the program sent out of its window: pastes into
// the other windows (expect pasted, nopaste), the clipboard, beeps. Both
// runners check them here; each reads the values from its own world.

#include <deque>
#include <optional>
#include <string>

#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

// A runner's log of the Ctrl+V that reached the other windows, oldest first.
class PasteLog {
 public:
  virtual ~PasteLog() = default;
  virtual bool Empty() const = 0;
  // True when the oldest paste went to the window titled `title` and gave it
  // `text`, as far as this runner can see what the window got.
  virtual bool OldestIs(const std::string& title, const std::string& text) const = 0;
  // "Ctrl+V to "Notepad" with "x"", for failures.
  virtual std::string DescribeOldest() const = 0;
  virtual void TakeOldest() = 0;
};

// expect pasted TITLE TEXT: the oldest unchecked paste, taken off the log.
StepResult CheckPasted(PasteLog& log, const Command& command);
StepResult CheckNoPaste(const PasteLog& log);

// expect clipboard TEXT|empty against the clipboard's text (nullopt: none).
StepResult CheckClipboard(const Command& command, const std::optional<std::string>& actual);

// expect beep yes|no: whether the program beeped since the last check.
// `beeps` is its count of beeps now; `checked` the count at the last check,
// moved on to `beeps`.
StepResult CheckBeep(const Command& command, long beeps, long& checked);

// expect opened TARGET: among what the shell was asked to open, in order,
// with '/' separators, the first that is TARGET (a path inside `appFolder`
// named from it, or an address) is taken off the list.
StepResult CheckOpened(const Command& command, const std::string& appFolder,
                       std::deque<std::string>& opened);

}  // namespace pelorin::scenario
