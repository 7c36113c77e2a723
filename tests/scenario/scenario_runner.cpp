#include "tests/scenario/scenario_runner.h"

#include "tests/scenario/fault_sweep.h"
#include "tests/scenario/folder_paths.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

namespace {

class SimPlayback : public ScenarioPlayback {
 public:
  ScenarioOutcome Play(const Scenario& scenario, std::ostream* trace) override {
    return PlayOn(scenario, [] { return std::make_unique<Player>(); }, {true, trace, {}});
  }
};

}  // namespace

int RunScenarioFiles(const std::vector<std::string>& paths, const RunOptions& options,
                     std::ostream& out, bool faults) {
  std::vector<std::filesystem::path> files;
  for (const std::string& path : paths) files.push_back(PathFromUtf8(path));
  SimPlayback plain;
  FaultSweep sweep;
  return PlayScenarioFiles(files, faults ? static_cast<ScenarioPlayback&>(sweep) : plain, options,
                           out);
}

}  // namespace pelorin::scenario
