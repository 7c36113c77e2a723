// The checks of what the program sent out that only the simulation makes, or
// makes with its own count: beeps and shell opens.
#include <algorithm>

#include "tests/scenario/player.h"

namespace pelorin::scenario {

StepResult Player::ExpectBeep(const Command& command) {
  return CheckBeep(command, sim_.BeepCount(), beepsChecked_);
}

StepResult Player::ExpectOpened(const Command& command) {
  const std::string& target = command.args[0].text;
  std::string prefix = sim_.AppFolder() + "/";
  std::deque<std::string>& opened = sim_.Opened();
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
