#pragma once
// The run over scenario files and folders, the same for both runners: one
// line per scenario (PASS file:name, FAIL file:name: line N: why, SKIP
// file:name: line N: why for one the runner does not play), ERROR file:line:
// why for a file that does not parse or a path that does not exist, and the
// closing "N passed, N failed" (", N skipped" when any were).

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_play.h"

namespace pelorin::scenario {

struct RunOptions {
  bool verbose = false;  // print every command as it runs
  // The runner's own proof: a scenario passes when it fails at its line
  // marked "# fails" and nowhere before it, so a check that cannot fail
  // shows up.
  bool mustFail = false;
};

// The scenario files named: files as given, folders searched recursively for
// *.scn (sorted by their UTF-8 names). A path that does not exist is returned
// in `missing`.
std::vector<std::filesystem::path> FindScenarioFiles(
    const std::vector<std::filesystem::path>& paths, std::vector<std::filesystem::path>& missing);

// How a runner plays one scenario.
class ScenarioPlayback {
 public:
  virtual ~ScenarioPlayback() = default;
  // Why this runner does not play the scenario ("line N: ..."); nullopt when it does.
  virtual std::optional<std::string> WhyNotPlayed(const Scenario& scenario) const {
    (void)scenario;
    return std::nullopt;
  }
  // A line printed before the closing line, when there is one.
  virtual std::optional<std::string> ClosingNote() const { return std::nullopt; }
  // `trace`, when given, gets every command as it runs.
  virtual ScenarioOutcome Play(const Scenario& scenario, std::ostream* trace) = 0;
};

// Plays everything and returns the exit status: 0 when none failed, 2 when
// a file did not parse (or does not exist), 1 otherwise.
int PlayScenarioFiles(const std::vector<std::filesystem::path>& paths, ScenarioPlayback& playback,
                      const RunOptions& options, std::ostream& out);

}  // namespace pelorin::scenario
