#include "tests/e2e/wine_scenario/runner.h"

#include <algorithm>
#include <exception>

#include "tests/scenario/scenario_parser.h"

namespace pelorin::wine_scenario {

namespace fs = std::filesystem;

namespace {

struct Outcome {
  bool passed = true;
  int line = 0;
  std::string message;
};

// Files as given, folders searched recursively for *.scn (sorted).
std::vector<fs::path> CollectFiles(const std::vector<fs::path>& paths,
                                   std::vector<fs::path>& missing) {
  std::vector<fs::path> files;
  for (const fs::path& path : paths) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
      std::vector<fs::path> found;
      for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path, error)) {
        if (entry.is_regular_file() && entry.path().extension() == L".scn") {
          found.push_back(entry.path());
        }
      }
      std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
        return Utf8(a.generic_wstring()) < Utf8(b.generic_wstring());
      });
      files.insert(files.end(), found.begin(), found.end());
    } else if (fs::exists(path, error)) {
      files.push_back(path);
    } else {
      missing.push_back(path);
    }
  }
  return files;
}

std::string Shown(const fs::path& path) { return Utf8(path.generic_wstring()); }

Outcome Play(const scenario::Scenario& scenario, Environment& environment, int number,
             const RunOptions& options, std::ostream& out) {
  int line = scenario.line;
  try {
    Player player(environment, number);
    for (const scenario::Command& command : scenario.commands) {
      line = command.line;
      if (options.verbose) out << "  " << command.line << ": " << command.source << std::endl;
      if (StepResult failure = player.Run(command)) {
        player.KeepFolder();
        return {false, line, *failure};
      }
    }
    if (StepResult failure = player.Finish(line)) {
      player.KeepFolder();
      return {false, line, *failure};
    }
  } catch (const std::exception& error) {
    // A broken world (no folder, a file system error) fails the scenario, not the run.
    return {false, line, std::string("an exception: ") + error.what()};
  }
  return {};
}

}  // namespace

int RunScenarioFiles(const std::vector<fs::path>& paths, Environment& environment,
                     const RunOptions& options, std::ostream& out) {
  int passed = 0;
  int failed = 0;
  int skipped = 0;
  int number = 0;
  bool unparsed = false;
  std::vector<fs::path> missing;
  for (const fs::path& file : CollectFiles(paths, missing)) {
    const scenario::ParseResult parsed = scenario::ParseScenarioFile(file);
    if (parsed.error) {
      out << "ERROR " << Shown(file) << ":" << parsed.error->line << ": " << parsed.error->why
          << std::endl;
      ++failed;
      unparsed = true;
      continue;
    }
    for (const scenario::Scenario& scenario : parsed.scenarios) {
      const std::string name = Shown(file) + ":" + scenario.name;
      if (const scenario::Command* simOnly = scenario::FirstSimOnlyCommand(scenario)) {
        out << "SKIP " << name << ": line " << simOnly->line << ": '" << simOnly->source
            << "' is played only on the simulation" << std::endl;
        ++skipped;
        continue;
      }
      if (options.verbose) out << "RUN " << name << std::endl;
      const Outcome outcome = Play(scenario, environment, ++number, options, out);
      if (outcome.passed) {
        out << "PASS " << name << std::endl;
        ++passed;
      } else {
        out << "FAIL " << name << ": line " << outcome.line << ": " << outcome.message << std::endl;
        ++failed;
      }
    }
  }
  for (const fs::path& path : missing) {
    out << "ERROR " << Shown(path) << ":0: no such file or folder" << std::endl;
    ++failed;
    unparsed = true;
  }
  out << passed << " passed, " << failed << " failed";
  if (skipped > 0) out << ", " << skipped << " skipped";
  out << std::endl;
  if (unparsed) return 2;
  return failed > 0 ? 1 : 0;
}

}  // namespace pelorin::wine_scenario
