#include "tests/faults/fault_sweep.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "tests/faults/recording.h"

namespace pelorin::faults {

namespace {

void Collect(RunCheck check, long k, bool kOn, const Recording& clean, ScenarioSweep& sweep) {
  sweep.faultsInjected += check.faultsInjected;
  sweep.unreportedByDesign += check.unreportedByDesign;
  const sim::OperationRecord& operation = clean.operations[static_cast<std::size_t>(k - 1)];
  for (Problem& problem : check.problems) {
    sweep.findings.push_back(Finding{k, kOn, std::string(operation.kind) + " " + operation.path,
                                     std::move(problem)});
  }
}

int MostCategories(const Recording& recording) {
  std::size_t most = 0;
  for (const Moment& moment : recording.steps) {
    most = std::max({most, moment.view.categoriesOnScreen.size(),
                     moment.view.categoriesOnDisk.size()});
  }
  return static_cast<int>(most);
}

void SweepMode(const scenario::Scenario& scenario, const Recording& clean, bool kOn,
               const SweepOptions& options, ScenarioSweep& sweep) {
  for (long k = 1; k <= sweep.operations; k += options.every) {
    const Recording faulted = Record(scenario, k, kOn);
    ++sweep.runs;
    ++sweep.firstFaults[clean.operations[static_cast<std::size_t>(k - 1)].kind];
    Collect(CheckFaultedRun(clean, faulted, k), k, kOn, clean, sweep);

    const std::size_t step = FailingStep(faulted, k);
    if (step >= faulted.steps.size()) continue;
    const std::size_t command = faulted.steps[step].command;
    const scenario::Scenario recovery =
        RecoveryScenario(scenario, command, std::max(MostCategories(clean), MostCategories(faulted)));
    const Recording recovered = Record(recovery, k, kOn, command);
    ++sweep.recoveryRuns;
    RunCheck check = CheckRecovery(clean, recovered, step);
    check.faultsInjected = 0;  // the same faults as the played-on run
    Collect(std::move(check), k, kOn, clean, sweep);
  }
}

}  // namespace

ScenarioSweep SweepScenario(const scenario::Scenario& scenario, const SweepOptions& options) {
  ScenarioSweep sweep;
  if (UsesOwnFaults(scenario)) {
    sweep.skipped = true;
    return sweep;
  }
  const Recording clean = Record(scenario, 0, false);
  if (!clean.exception.empty()) {
    sweep.error = "the fault-free run failed: " + clean.exception;
    return sweep;
  }
  sweep.operations = static_cast<long>(clean.operations.size());
  if (options.onlyK) SweepMode(scenario, clean, false, options, sweep);
  if (options.kOn) SweepMode(scenario, clean, true, options, sweep);
  return sweep;
}

}  // namespace pelorin::faults
