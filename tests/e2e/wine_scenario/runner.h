#pragma once
// The Windows runner's run over scenario files and folders, with the lines of
// the simulated runner: PASS file:name, FAIL file:name: line N: ..., SKIP
// file:name: why (a scenario that uses a command only the simulation plays),
// ERROR file:line: why for a file that does not parse, and the closing
// "N passed, N failed" (", N skipped" when any were).

#include <filesystem>
#include <ostream>
#include <vector>

#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

struct RunOptions {
  bool verbose = false;  // print every command as it runs
};

// Plays everything and returns the exit status: 0 when none failed, 2 when
// a file did not parse (or does not exist), 1 otherwise.
int RunScenarioFiles(const std::vector<std::filesystem::path>& paths, Environment& environment,
                     const RunOptions& options, std::ostream& out);

}  // namespace pelorin::wine_scenario
