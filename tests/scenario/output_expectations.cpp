#include "tests/scenario/output_expectations.h"

#include <algorithm>
#include <vector>

namespace pelorin::scenario {

StepResult CheckPasted(PasteLog& log, const Command& command) {
  const std::string& title = command.args[0].text;
  const std::string& text = command.args[1].text;
  const std::string what = "Ctrl+V to " + Quoted(title) + " with " + Quoted(text);
  if (log.Empty()) return Expected(what, "no paste");
  if (!log.OldestIs(title, text)) return Expected(what, log.DescribeOldest());
  log.TakeOldest();
  return Pass();
}

StepResult CheckNoPaste(const PasteLog& log) {
  if (log.Empty()) return Pass();
  return Expected("no unchecked paste", log.DescribeOldest());
}

StepResult CheckClipboard(const Command& command, const std::optional<std::string>& actual) {
  const bool empty = command.args[0].Is("empty");
  if (empty ? !actual : actual == command.args[0].text) return Pass();
  return Expected(empty ? "no text on the clipboard" : "clipboard " + Quoted(command.args[0].text),
                  actual ? Quoted(*actual) : "no text");
}

StepResult CheckBeep(const Command& command, long beeps, long& checked) {
  const bool beeped = beeps > checked;
  checked = beeps;
  const bool expected = command.args[0].Is("yes");
  if (beeped != expected) return Expected(std::string("beep ") + YesNo(expected), YesNo(beeped));
  return Pass();
}

StepResult CheckOpened(const Command& command, const std::string& appFolder,
                       std::deque<std::string>& opened) {
  const std::string& target = command.args[0].text;
  const std::string prefix = appFolder + "/";
  auto shownAs = [&](const std::string& asked) {
    return asked.starts_with(prefix) ? asked.substr(prefix.size()) : asked;
  };
  auto match = std::find_if(opened.begin(), opened.end(),
                            [&](const std::string& asked) { return shownAs(asked) == target; });
  if (match != opened.end()) {
    opened.erase(match);
    return Pass();
  }
  std::vector<std::string> asked;
  for (const std::string& entry : opened) asked.push_back(shownAs(entry));
  return Expected("the shell asked to open " + Quoted(target),
                  asked.empty() ? std::string("nothing opened") : DescribeEntries(asked));
}

}  // namespace pelorin::scenario
