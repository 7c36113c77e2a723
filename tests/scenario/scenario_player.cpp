#include "tests/scenario/scenario_player.h"

#include "tests/scenario/player.h"

namespace pelorin::scenario {

ScenarioOutcome PlayScenario(const Scenario& scenario, std::ostream* trace) {
  return PlayScenario(scenario, PlayOptions{}, trace);
}

ScenarioOutcome PlayScenario(const Scenario& scenario, const PlayOptions& options,
                             std::ostream* trace) {
  Player* playing = nullptr;
  PlaySteps steps;
  steps.checking = !options.ignoreExpectations;
  steps.trace = trace;
  if (options.after) {
    steps.after = [&](const Command& command) {
      options.after(command, playing->World(), playing->Program());
    };
  }
  return PlayOn(
      scenario,
      [&] {
        auto player = std::make_unique<Player>();
        if (options.before) options.before(player->World());
        playing = player.get();
        return std::unique_ptr<CommandPlayer>(std::move(player));
      },
      steps);
}

}  // namespace pelorin::scenario
