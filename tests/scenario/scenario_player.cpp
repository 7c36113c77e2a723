#include "tests/scenario/scenario_player.h"

#include <exception>

#include "tests/scenario/player.h"

namespace pelorin::scenario {

bool IsExpectation(CommandKind kind) {
  return kind == CommandKind::ExpectEnded || kind == CommandKind::ExpectRunning ||
         (kind >= CommandKind::ExpectList && kind <= CommandKind::ExpectLastShift);
}

ScenarioOutcome PlayScenario(const Scenario& scenario, std::ostream* trace) {
  return PlayScenario(scenario, PlayOptions{}, trace);
}

ScenarioOutcome PlayScenario(const Scenario& scenario, const PlayOptions& options,
                             std::ostream* trace) {
  int line = scenario.line;
  const bool checking = !options.ignoreExpectations;
  try {
    Player player;
    if (options.before) options.before(player.World());
    for (const Command& command : scenario.commands) {
      line = command.line;
      if (!checking && IsExpectation(command.kind)) continue;
      if (trace) *trace << "  " << command.line << ": " << command.source << '\n';
      StepResult failure = player.Run(command);
      if (options.after) options.after(command, player.World(), player.Program());
      if (failure && checking) return {false, line, *failure};
    }
    if (StepResult failure = player.Finish(line); failure && checking) {
      return {false, line, *failure};
    }
  } catch (const std::exception& error) {
    // A broken world (no temporary folder, a file system error) fails the
    // scenario, not the run.
    return {false, line, std::string("an exception: ") + error.what()};
  }
  return {};
}

}  // namespace pelorin::scenario
