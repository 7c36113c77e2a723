#pragma once
// What the user has at one moment of a run under faults: the files of the
// application folder, read past the fault-injecting layer (so that looking
// neither counts nor fails an operation), and what the user holds.

#include <map>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace pelorin::app {
class Form1;
}

namespace pelorin::scenario {

// How often each thing is held: "category "A"", "kaomoji "x"" (in all) and
// "kaomoji "x" in data/A.txt". The list on the screen and the file it was
// read from are one holder: its count of a text is the larger of the two,
// so an unsaved change on either side still counts.
using Holdings = std::map<std::string, int>;

struct FaultView {
  std::string settingsBytes;                        // empty when missing
  std::map<std::string, std::string> kaomojiFiles;  // data/*.txt bytes by name
  Holdings holdings;
  std::size_t categories = 0;  // on the screen or in the settings file
};

FaultView TakeFaultView(sim::SimPlatform& world, const app::Form1* program);

// One line for each thing `end` holds less often than both `before` and
// `after` hold it.
std::vector<std::string> Lost(const Holdings& before, const Holdings& after, const Holdings& end);

}  // namespace pelorin::scenario
