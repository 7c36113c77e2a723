#pragma once
// One play of a scenario with its expectations ignored, recorded after every
// command: what the user had, how many file operations had been made and how
// many message boxes had been shown. Optionally with a file operation made to
// fail by its number (and every later one, as a disk that fills up).

#include <cstddef>
#include <string>
#include <vector>

#include "platform/sim/fault_injecting_file_system.h"
#include "tests/faults/world_view.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::faults {

struct Moment {
  int line = 0;              // the command just played (0: before the first)
  std::size_t command = 0;   // its index in the scenario's commands
  long operations = 0;       // file operations made so far
  std::size_t messages = 0;  // message boxes shown so far
  WorldView view;
};

struct Recording {
  Moment start;                // the world before the first command
  std::vector<Moment> steps;   // one per command played (expect lines are not)
  std::vector<sim::OperationRecord> operations;
  // For each message box shown, in order: the file operations made before it.
  std::vector<long> messageStamps;
  std::string exception;       // set when the play ended in an exception
};

inline constexpr std::size_t kNever = static_cast<std::size_t>(-1);

// failAt 0: no fault. The fault ends (the disk has room again, the file is
// unlocked) after the command with index healAfter.
Recording Record(const scenario::Scenario& scenario, long failAt, bool andLater,
                 std::size_t healAfter = kNever);

// The scenario's commands up to and including index `last`, then the user's
// way out of a fault: every category clicked in turn (which saves the shown
// kaomoji and loads the next), the program closed and started again.
scenario::Scenario RecoveryScenario(const scenario::Scenario& scenario, std::size_t last,
                                    int categories);

// Whether the scenario makes faults of its own (fail, heal); the sweep leaves
// those out, as its own faults would mix with them.
bool UsesOwnFaults(const scenario::Scenario& scenario);

}  // namespace pelorin::faults
