// Setup commands: the world the program finds, before or while it runs.
#include <filesystem>
#include <fstream>

#include "platform/text_codec.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;
using K = CommandKind;

namespace {

// Writes the file as a user's editor would: parents created, replaced whole.
StepResult WriteWhole(const fs::path& path, const std::string& bytes) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (fs::is_directory(path)) return Expected("a file path", "a folder at " + path.string());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return Expected("a written file", "no way to write " + path.string());
  return Pass();
}

}  // namespace

std::optional<fs::path> Player::PathOf(const Arg& arg, StepResult& failure) const {
  std::string why;
  std::optional<fs::path> path = ResolvePath(sim_.AppFolder(), arg.text, why);
  if (!path) failure = why;
  return path;
}

StepResult Player::RunSetup(const Command& command) {
  switch (command.kind) {
    case K::File:
      return WriteFile(command);
    case K::Bytes:
      return WriteBytes(command);
    case K::Mkdir:
      return MakeFolder(command);
    case K::Rmdir:
      return RemoveFolder(command);
    case K::Running:
      sim_.SetAnotherCopyRunning(true);
      return Pass();
    case K::Clipboard:
      sim_.SetClipboard(command.args[0].text);
      return Pass();
    case K::Windows:
      return SetWindows(command);
    case K::Fail:
      return SetFault(command);
    case K::Heal:
      sim_.Faults().Heal();
      return Pass();
    default:
      break;
  }
  return "the player cannot run '" + command.name + "'";
}

StepResult Player::WriteFile(const Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  std::optional<std::string> bytes = platform::EncodeCp932(command.args[1].text);
  if (!bytes) {
    return Expected("a text representable in code page 932", Quoted(command.args[1].text));
  }
  return WriteWhole(*path, *bytes);
}

StepResult Player::WriteBytes(const Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  return WriteWhole(*path, command.args[1].text);
}

StepResult Player::MakeFolder(const Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  std::error_code error;
  fs::create_directories(*path, error);
  if (!fs::is_directory(*path)) return Expected("a new folder", "no way to make " + path->string());
  return Pass();
}

StepResult Player::RemoveFolder(const Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  if (!fs::is_directory(*path)) {
    return Expected("a folder " + Quoted(command.args[0].text), "none");
  }
  std::error_code error;
  fs::remove_all(*path, error);
  if (error) return Expected("the folder removed", error.message());
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
  StepResult failure;
  if (!PathOf(command.args[1], failure)) return failure;
  sim_.Faults().Fail(fileOp, command.args[1].text);
  return Pass();
}

StepResult Player::SetWindows(const Command& command) {
  std::vector<std::string> titles;
  for (const Arg& arg : command.args) titles.push_back(arg.text);
  sim_.SetOtherWindows(titles);
  return Pass();
}

}  // namespace pelorin::scenario
