#pragma once
// Plays scenarios against the simulated window system: each in a fresh
// temporary application folder, removed afterwards.

#include <functional>
#include <ostream>
#include <string>

#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_play.h"

namespace pelorin::app {
class Form1;
}
namespace pelorin::sim {
class SimPlatform;
}

namespace pelorin::scenario {

// How to play. The defaults play a scenario as the runner does.
struct PlayOptions {
  // Plays every command to the end without checking anything: expect lines
  // are skipped, and an action the user could not do, a dialog without a
  // fitting answer or an answer left over does not stop or fail the play. For
  // runs that are meant to go another way (a file operation made to fail);
  // only an exception still fails the outcome.
  bool ignoreExpectations = false;
  // Called once the world exists, before the first command.
  std::function<void(sim::SimPlatform& world)> before;
  // Called after every command that was played; `program` is null until the
  // first start.
  std::function<void(const Command& command, sim::SimPlatform& world, const app::Form1* program)>
      after;
};

// Runs the commands in order and stops at the first that fails. An answer
// still queued at the end fails at its own line. A program still running at
// the end is discarded without its shutdown. `trace`, when given, gets every
// command as it runs.
ScenarioOutcome PlayScenario(const Scenario& scenario, std::ostream* trace = nullptr);
ScenarioOutcome PlayScenario(const Scenario& scenario, const PlayOptions& options,
                             std::ostream* trace = nullptr);

}  // namespace pelorin::scenario
