// Beeps, as the probe counts them in the program.
#include "tests/e2e/wine_scenario/player.h"
#include "tests/scenario/output_expectations.h"

namespace pelorin::wine_scenario {

void Player::RememberBeeps() {
  if (!ProgramRunning()) return;
  const std::optional<LRESULT> beeps = environment_.probe.Ask(Window(), probe::Question::Beeps);
  if (beeps) beepsSeen_ = static_cast<long>(*beeps);
}

StepResult Player::ExpectBeep(const scenario::Command& command) {
  RememberBeeps();
  return scenario::CheckBeep(command, beepsSeen_, beepsChecked_);
}

}  // namespace pelorin::wine_scenario
