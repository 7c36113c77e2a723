#pragma once
// The fault sweep of one scenario: its fault-free run, then one run for every
// file operation k that run made, with operation k failing ("only k"), and
// one with k and every later operation failing ("k on", a disk that fills up).
// Each is played on to the scenario's end, and played again up to the
// failing command followed by the user's way out of it (fault_checks.h).

#include <map>
#include <string>
#include <vector>

#include "tests/faults/fault_checks.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::faults {

struct SweepOptions {
  bool onlyK = true;
  bool kOn = true;
  long every = 1;  // 1: every k; n: k = 1, 1 + n, 1 + 2n ... (a sample)
};

struct Finding {
  long k = 0;
  bool kOn = false;
  std::string operation;  // operation k of the fault-free run
  Problem problem;
};

struct ScenarioSweep {
  bool skipped = false;        // the scenario makes faults of its own
  long operations = 0;         // file operations of the fault-free run
  long runs = 0;               // played-on runs with a fault
  long recoveryRuns = 0;       // runs that recover from the fault
  long faultsInjected = 0;
  long unreportedByDesign = 0;
  // The kinds of the operations made to fail first ("write" ...), counted.
  std::map<std::string, long> firstFaults;
  std::string error;           // the fault-free run itself failed
  std::vector<Finding> findings;
};

ScenarioSweep SweepScenario(const scenario::Scenario& scenario, const SweepOptions& options);

}  // namespace pelorin::faults
