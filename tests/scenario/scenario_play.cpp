#include "tests/scenario/scenario_play.h"

#include <exception>

namespace pelorin::scenario {

bool IsExpectation(CommandKind kind) {
  return kind == CommandKind::ExpectEnded || kind == CommandKind::ExpectRunning ||
         (kind >= CommandKind::ExpectList && kind <= CommandKind::ExpectFocus);
}

ScenarioOutcome PlayOn(const Scenario& scenario,
                       const std::function<std::unique_ptr<CommandPlayer>()>& makePlayer,
                       const PlaySteps& steps) {
  int line = scenario.line;
  try {
    const std::unique_ptr<CommandPlayer> player = makePlayer();
    for (const Command& command : scenario.commands) {
      line = command.line;
      if (!steps.checking && IsExpectation(command.kind)) continue;
      if (steps.trace)
        *steps.trace << "  " << command.line << ": " << command.source << '\n' << std::flush;
      StepResult failure = player->Run(command);
      if (steps.after) steps.after(command);
      if (failure && steps.checking) {
        player->Failed();
        return {false, line, *failure};
      }
    }
    if (StepResult failure = player->Finish(line); failure && steps.checking) {
      player->Failed();
      return {false, line, *failure};
    }
  } catch (const std::exception& error) {
    return {false, line, std::string("an exception: ") + error.what()};
  }
  return {};
}

}  // namespace pelorin::scenario
