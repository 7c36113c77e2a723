#include "tests/scenario/scenario_player.h"

#include <exception>

#include "tests/scenario/player.h"

namespace pelorin::scenario {

ScenarioOutcome PlayScenario(const Scenario& scenario, std::ostream* trace) {
  int line = scenario.line;
  try {
    Player player;
    for (const Command& command : scenario.commands) {
      line = command.line;
      if (trace) *trace << "  " << command.line << ": " << command.source << '\n';
      if (StepResult failure = player.Run(command)) return {false, line, *failure};
    }
    if (StepResult failure = player.Finish(line)) return {false, line, *failure};
  } catch (const std::exception& error) {
    // A broken world (no temporary folder, a file system error) fails the
    // scenario, not the run.
    return {false, line, std::string("an exception: ") + error.what()};
  }
  return {};
}

}  // namespace pelorin::scenario
