#pragma once
// pelorin-scenario's run over files and folders (scenario_files.h): every
// scenario played on the simulation, each in a fresh world (player.h); or,
// with `faults`, swept with its file operations failing (fault_sweep.h).

#include <ostream>
#include <string>
#include <vector>

#include "tests/scenario/scenario_files.h"

namespace pelorin::scenario {

// Plays everything and returns the exit status: 0 when none failed, 2 when
// a file did not parse (or does not exist), 1 otherwise. Paths are UTF-8.
int RunScenarioFiles(const std::vector<std::string>& paths, const RunOptions& options,
                     std::ostream& out, bool faults = false);

}  // namespace pelorin::scenario
