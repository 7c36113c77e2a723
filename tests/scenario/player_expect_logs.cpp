// The checks of what the program sent out, read from the simulation's own
// counts and logs: beeps and shell opens.
#include "tests/scenario/output_expectations.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

StepResult Player::ExpectBeep(const Command& command) {
  return CheckBeep(command, sim_.BeepCount(), beepsChecked_);
}

StepResult Player::ExpectOpened(const Command& command) {
  return CheckOpened(command, sim_.AppFolder(), sim_.Opened());
}

}  // namespace pelorin::scenario
