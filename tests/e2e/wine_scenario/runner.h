#pragma once
// The Windows runner's run over scenario files and folders, with the lines
// and the closing line of the simulated runner (tests/scenario/scenario_files.h);
// a scenario that uses fail or heal is skipped, and the observations only the
// simulation makes (expect value, expect List1) are passed over and counted.

#include <filesystem>
#include <ostream>
#include <vector>

#include "tests/e2e/wine_scenario/player.h"
#include "tests/scenario/scenario_files.h"

namespace pelorin::wine_scenario {

using scenario::RunOptions;

// Plays everything and returns the exit status: 0 when none failed, 2 when
// a file did not parse (or does not exist), 1 otherwise.
int RunScenarioFiles(const std::vector<std::filesystem::path>& paths, Environment& environment,
                     const RunOptions& options, std::ostream& out);

}  // namespace pelorin::wine_scenario
