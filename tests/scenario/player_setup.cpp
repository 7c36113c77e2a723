// Setup commands that change the simulated world, not its folder: another
// copy running, the clipboard, the other windows, the file system's faults.
#include "tests/scenario/folder_paths.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

StepResult Player::MarkOtherCopyRunning() {
  sim_.SetAnotherCopyRunning(true);
  return Pass();
}

StepResult Player::SetClipboard(const std::string& text) {
  sim_.SetClipboard(text);
  return Pass();
}

StepResult Player::SetWindows(const std::vector<std::string>& titles) {
  sim_.SetOtherWindows(titles);
  return Pass();
}

StepResult Player::SetFault(const Command& command) {
  const std::string& op = command.args[0].text;
  sim::FileOp fileOp = op == "write"    ? sim::FileOp::Write
                       : op == "rename" ? sim::FileOp::Rename
                       : op == "delete" ? sim::FileOp::Delete
                                        : sim::FileOp::Read;
  if (command.args[1].IsAny()) {
    sim_.Faults().Fail(fileOp, "*");
    return Pass();
  }
  std::string why;
  if (!ResolvePath(Folder(), command.args[1].text, why)) return why;
  sim_.Faults().Fail(fileOp, command.args[1].text);
  return Pass();
}

StepResult Player::HoldKey(const platform::KeyCombination& key, const Command&) {
  sim_.HoldKey(key);
  return Pass();
}

StepResult Player::Heal(const Command&) {
  sim_.Faults().Heal();
  return Pass();
}

}  // namespace pelorin::scenario
