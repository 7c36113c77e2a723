#include "tests/scenario/scenario_files.h"

#include <algorithm>

#include "tests/scenario/folder_paths.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;

namespace {

struct Tally {
  int passed = 0;
  int failed = 0;
  int skipped = 0;
  bool unparsed = false;
};

// A must-fail scenario's outcome: passed when it failed at its line marked
// "# fails" (a comment the command's source keeps).
ScenarioOutcome MustHaveFailed(const Scenario& scenario, const ScenarioOutcome& outcome) {
  const auto mark = std::find_if(scenario.commands.begin(), scenario.commands.end(),
                                 [](const Command& c) { return c.source.ends_with("# fails"); });
  if (mark == scenario.commands.end()) return {false, scenario.line, "no line marked # fails"};
  if (!outcome.passed && outcome.line == mark->line) return {};
  const std::string found =
      outcome.passed ? "it passed"
                     : "it failed at line " + std::to_string(outcome.line) + ": " + outcome.message;
  return {false, mark->line, "expected a failure here, " + found};
}

void PlayFile(const fs::path& file, ScenarioPlayback& playback, const RunOptions& options,
              std::ostream& out, Tally& tally) {
  const std::string shown = Utf8Of(file);
  const ParseResult parsed = ParseScenarioFile(file);
  if (parsed.error) {
    out << "ERROR " << shown << ":" << parsed.error->line << ": " << parsed.error->why << '\n'
        << std::flush;
    ++tally.failed;
    tally.unparsed = true;
    return;
  }
  for (const Scenario& scenario : parsed.scenarios) {
    const std::string name = shown + ":" + scenario.name;
    if (const std::optional<std::string> why = playback.WhyNotPlayed(scenario)) {
      // A scenario that must fail proves nothing unplayed.
      out << (options.mustFail ? "FAIL " : "SKIP ") << name << ": " << *why << '\n' << std::flush;
      ++(options.mustFail ? tally.failed : tally.skipped);
      continue;
    }
    if (options.verbose) out << "RUN " << name << '\n' << std::flush;
    ScenarioOutcome outcome = playback.Play(scenario, options.verbose ? &out : nullptr);
    if (options.mustFail) outcome = MustHaveFailed(scenario, outcome);
    out << (outcome.passed ? "PASS " : "FAIL ") << name;
    if (!outcome.passed) out << ": line " << outcome.line << ": " << outcome.message;
    out << '\n' << std::flush;
    ++(outcome.passed ? tally.passed : tally.failed);
  }
}

}  // namespace

std::vector<fs::path> FindScenarioFiles(const std::vector<fs::path>& paths,
                                        std::vector<fs::path>& missing) {
  std::vector<fs::path> files;
  for (const fs::path& path : paths) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
      std::vector<fs::path> found;
      for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".scn") {
          found.push_back(entry.path());
        }
      }
      std::sort(found.begin(), found.end(),
                [](const fs::path& a, const fs::path& b) { return Utf8Of(a) < Utf8Of(b); });
      files.insert(files.end(), found.begin(), found.end());
    } else if (fs::exists(path, error)) {
      files.push_back(path);
    } else {
      missing.push_back(path);
    }
  }
  return files;
}

int PlayScenarioFiles(const std::vector<fs::path>& paths, ScenarioPlayback& playback,
                      const RunOptions& options, std::ostream& out) {
  Tally tally;
  std::vector<fs::path> missing;
  for (const fs::path& file : FindScenarioFiles(paths, missing)) {
    PlayFile(file, playback, options, out, tally);
  }
  for (const fs::path& path : missing) {
    out << "ERROR " << Utf8Of(path) << ":0: no such file or folder\n";
    ++tally.failed;
    tally.unparsed = true;
  }
  if (const std::optional<std::string> note = playback.ClosingNote()) out << *note << '\n';
  out << tally.passed << " passed, " << tally.failed << " failed";
  if (tally.skipped > 0) out << ", " << tally.skipped << " skipped";
  out << '\n' << std::flush;
  if (tally.unparsed) return 2;
  return tally.failed > 0 ? 1 : 0;
}

}  // namespace pelorin::scenario
