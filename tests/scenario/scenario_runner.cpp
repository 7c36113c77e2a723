#include "tests/scenario/scenario_runner.h"

#include "tests/scenario/folder_paths.h"
#include "tests/scenario/scenario_player.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;

namespace {

class SimPlayback : public ScenarioPlayback {
 public:
  ScenarioOutcome Play(const Scenario& scenario, std::ostream* trace) override {
    return PlayScenario(scenario, trace);
  }
};

std::vector<fs::path> PathsOf(const std::vector<std::string>& names) {
  std::vector<fs::path> paths;
  for (const std::string& name : names) paths.push_back(PathFromUtf8(name));
  return paths;
}

std::vector<std::string> NamesOf(const std::vector<fs::path>& paths) {
  std::vector<std::string> names;
  for (const fs::path& path : paths) names.push_back(Utf8Of(path));
  return names;
}

}  // namespace

std::vector<std::string> CollectScenarioFiles(const std::vector<std::string>& paths,
                                              std::vector<std::string>& missing) {
  std::vector<fs::path> missingPaths;
  std::vector<std::string> files = NamesOf(FindScenarioFiles(PathsOf(paths), missingPaths));
  for (const std::string& name : NamesOf(missingPaths)) missing.push_back(name);
  return files;
}

int RunScenarioFiles(const std::vector<std::string>& paths, const RunOptions& options,
                     std::ostream& out) {
  SimPlayback playback;
  return PlayScenarioFiles(PathsOf(paths), playback, options, out);
}

}  // namespace pelorin::scenario
