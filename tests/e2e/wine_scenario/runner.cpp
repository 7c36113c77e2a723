#include "tests/e2e/wine_scenario/runner.h"

namespace pelorin::wine_scenario {

namespace {

class WinePlayback : public scenario::ScenarioPlayback {
 public:
  explicit WinePlayback(Environment& environment) : environment_(environment) {}

  std::optional<std::string> WhyNotPlayed(const scenario::Scenario& scenario) const override {
    if (const scenario::Command* simOnly = scenario::FirstSimOnlyCommand(scenario)) {
      return "line " + std::to_string(simOnly->line) + ": '" + simOnly->source +
             "' is played only on the simulation";
    }
    return std::nullopt;
  }

  std::optional<std::string> ClosingNote() const override {
    if (environment_.passedOver == 0) return std::nullopt;
    return std::to_string(environment_.passedOver) +
           " observations that only the simulation makes passed over";
  }

  // Each scenario in an application folder of its own, numbered in the run.
  scenario::ScenarioOutcome Play(const scenario::Scenario& scenario, std::ostream* trace) override {
    scenario::PlaySteps steps;
    steps.trace = trace;
    const int number = ++played_;
    return scenario::PlayOn(
        scenario, [&] { return std::make_unique<Player>(environment_, number); }, steps);
  }

 private:
  Environment& environment_;
  int played_ = 0;
};

}  // namespace

int RunScenarioFiles(const std::vector<std::filesystem::path>& paths, Environment& environment,
                     const RunOptions& options, std::ostream& out) {
  WinePlayback playback(environment);
  return scenario::PlayScenarioFiles(paths, playback, options, out);
}

}  // namespace pelorin::wine_scenario
