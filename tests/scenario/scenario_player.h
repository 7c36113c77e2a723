#pragma once
// Plays scenarios against the simulated window system: each in a fresh
// temporary application folder, removed afterwards.

#include <ostream>
#include <string>

#include "tests/scenario/scenario_parser.h"

namespace pelorin::scenario {

struct ScenarioOutcome {
  bool passed = true;
  int line = 0;         // the first failing line
  std::string message;  // "expected ..., found ..." or another reason
};

// Runs the commands in order and stops at the first that fails. An answer
// still queued at the end fails at its own line. A program still running at
// the end is discarded without its shutdown. `trace`, when given, gets every
// command as it runs.
ScenarioOutcome PlayScenario(const Scenario& scenario, std::ostream* trace = nullptr);

}  // namespace pelorin::scenario
