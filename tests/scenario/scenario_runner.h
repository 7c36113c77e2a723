#pragma once
// pelorin-scenario's run over files and folders (scenario_files.h): every
// scenario played on the simulation, which plays every command.

#include <ostream>
#include <string>
#include <vector>

#include "tests/scenario/scenario_files.h"

namespace pelorin::scenario {

// The scenario files named, as FindScenarioFiles finds them, by their UTF-8
// names.
std::vector<std::string> CollectScenarioFiles(const std::vector<std::string>& paths,
                                              std::vector<std::string>& missing);

// Plays everything and returns the exit status: 0 when none failed, 2 when
// a file did not parse (or does not exist), 1 otherwise.
int RunScenarioFiles(const std::vector<std::string>& paths, const RunOptions& options,
                     std::ostream& out);

}  // namespace pelorin::scenario
