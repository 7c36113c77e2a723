#pragma once
// One scenario played command by command, as both runners play it: in order,
// stopping at the first failure, with the end-of-scenario checks last. An
// exception (a broken world: no folder, a file system error) fails the
// scenario, not the run.

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "tests/scenario/command_player.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::scenario {

struct ScenarioOutcome {
  bool passed = true;
  int line = 0;         // the first failing line
  std::string message;  // "expected ..., found ..." or another reason
};

// The expect commands (they check and change nothing but the logs they read).
bool IsExpectation(CommandKind kind);

struct PlaySteps {
  // false: expect lines are skipped and no failure stops or fails the play;
  // only an exception still fails it.
  bool checking = true;
  // Gets every command as it runs.
  std::ostream* trace = nullptr;
  // Called after every command that was played.
  std::function<void(const Command& command)> after;
};

// Makes the player (which may throw) and plays the scenario on it.
ScenarioOutcome PlayOn(const Scenario& scenario,
                       const std::function<std::unique_ptr<CommandPlayer>()>& makePlayer,
                       const PlaySteps& steps);

}  // namespace pelorin::scenario
