#include "tests/scenario/scenario_runner.h"

#include <algorithm>
#include <filesystem>

#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_player.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;

std::vector<std::string> CollectScenarioFiles(const std::vector<std::string>& paths,
                                              std::vector<std::string>& missing) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
      std::vector<std::string> found;
      for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".scn") {
          found.push_back(entry.path().generic_string());
        }
      }
      std::sort(found.begin(), found.end());
      files.insert(files.end(), found.begin(), found.end());
    } else if (fs::exists(path, error)) {
      files.push_back(path);
    } else {
      missing.push_back(path);
    }
  }
  return files;
}

int RunScenarioFiles(const std::vector<std::string>& paths, const RunOptions& options,
                     std::ostream& out) {
  int passed = 0;
  int failed = 0;
  bool unparsed = false;
  std::vector<std::string> missing;
  for (const std::string& file : CollectScenarioFiles(paths, missing)) {
    ParseResult parsed = ParseScenarioFile(file);
    if (parsed.error) {
      out << "ERROR " << file << ":" << parsed.error->line << ": " << parsed.error->why << '\n';
      ++failed;
      unparsed = true;
      continue;
    }
    for (const Scenario& scenario : parsed.scenarios) {
      if (options.verbose) out << "RUN " << file << ":" << scenario.name << '\n';
      ScenarioOutcome outcome = PlayScenario(scenario, options.verbose ? &out : nullptr);
      if (outcome.passed) {
        out << "PASS " << file << ":" << scenario.name << '\n';
        ++passed;
      } else {
        out << "FAIL " << file << ":" << scenario.name << ": line " << outcome.line << ": "
            << outcome.message << '\n';
        ++failed;
      }
      out.flush();
    }
  }
  for (const std::string& path : missing) {
    out << "ERROR " << path << ":0: no such file or folder\n";
    ++failed;
    unparsed = true;
  }
  out << passed << " passed, " << failed << " failed\n";
  if (unparsed) return 2;
  return failed > 0 ? 1 : 0;
}

}  // namespace pelorin::scenario
