#include "tests/scenario/player.h"

#include "tests/scenario/folder_paths.h"

namespace pelorin::scenario {

Player::Player() = default;

// The program goes first, without its shutdown: it may hold the world.
Player::~Player() { form_.reset(); }

StepResult Player::Run(const Command& command) {
  StepResult result = Dispatch(command);
  // A dialog the scenario did not answer fails the command that opened it.
  std::vector<std::string> failures = sim_.TakeFailures();
  if (!failures.empty() && !result) result = failures.front();
  return result;
}

std::filesystem::path Player::AppFolder() const { return PathFromUtf8(sim_.AppFolder()); }

std::optional<int> Player::PendingAnswerLine() const {
  if (sim_.PendingAnswers().empty()) return std::nullopt;
  return sim_.PendingAnswers().front().tag;
}

StepResult Player::Done(const sim::ActionResult& done) const {
  if (!done) return CannotDo(done.error);
  return Pass();
}

}  // namespace pelorin::scenario
