// Setup commands: the world the program finds, before or while it runs.
#include <filesystem>
#include <fstream>

#include "platform/text_codec.h"
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

namespace fs = std::filesystem;
using K = scenario::CommandKind;

namespace {

// The other copy's mark: the named mutex the program looks for.
constexpr wchar_t kInstanceMutex[] = L"Local\\Pelorin.Form1.SingleInstance";

// Writes the file as a user's editor would: parents created, replaced whole.
StepResult WriteWhole(const fs::path& path, const std::string& bytes) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (fs::is_directory(path)) return Expected("a file path", "a folder at " + Utf8(path.wstring()));
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return Expected("a written file", "no way to write " + Utf8(path.wstring()));
  return Pass();
}

}  // namespace

std::optional<fs::path> Player::PathOf(const scenario::Arg& arg, StepResult& failure) const {
  std::string why;
  std::optional<fs::path> path = folder_.Resolve(arg.text, why);
  if (!path) failure = why;
  return path;
}

StepResult Player::RunSetup(const scenario::Command& command) {
  switch (command.kind) {
    case K::File:
      return WriteFile(command, true);
    case K::Bytes:
      return WriteFile(command, false);
    case K::Mkdir:
      return MakeFolder(command);
    case K::Rmdir:
      return RemoveFolder(command);
    case K::Running:
      return HoldOtherCopy();
    case K::Clipboard:
      if (!SetClipboardText(environment_.probe.Owner(), command.args[0].text)) {
        return Expected("the clipboard set", "it could not be opened");
      }
      return Pass();
    case K::Windows:
      return SetWindows(command);
    default:
      break;
  }
  return "the Windows runner cannot play '" + command.name + "' (the simulation plays it)";
}

StepResult Player::WriteFile(const scenario::Command& command, bool encode) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  if (!encode) return WriteWhole(*path, command.args[1].text);
  std::optional<std::string> bytes = platform::EncodeCp932(command.args[1].text);
  if (!bytes) {
    return Expected("a text representable in code page 932", Quoted(command.args[1].text));
  }
  return WriteWhole(*path, *bytes);
}

StepResult Player::MakeFolder(const scenario::Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  std::error_code error;
  fs::create_directories(*path, error);
  if (!fs::is_directory(*path)) {
    return Expected("a new folder", "no way to make " + Utf8(path->wstring()));
  }
  return Pass();
}

StepResult Player::RemoveFolder(const scenario::Command& command) {
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

// Another copy runs as far as the program can tell: its mutex exists.
StepResult Player::HoldOtherCopy() {
  if (otherCopy_ != nullptr) return Pass();
  otherCopy_ = ::CreateMutexW(nullptr, FALSE, kInstanceMutex);
  if (otherCopy_ == nullptr) return Expected("the other copy's mutex made", "it could not be");
  return Pass();
}

StepResult Player::SetWindows(const scenario::Command& command) {
  std::vector<std::string> titles;
  for (const scenario::Arg& arg : command.args) titles.push_back(arg.text);
  HWND below = ProgramRunning() && program_->WindowShown() ? Window() : nullptr;
  const bool keepActive = below != nullptr && ::GetForegroundWindow() == below;
  if (!targets_.Replace(titles, below, keepActive)) {
    return Expected("the other windows made and the first active", "they could not be");
  }
  Trace("after windows: " + DescribeDesktop());
  return ProgramRunning() ? Settle() : Pass();
}

}  // namespace pelorin::wine_scenario
