#include "tests/scenario/folder_setup.h"

#include <fstream>

#include "platform/text_codec.h"
#include "tests/scenario/folder_paths.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;

namespace {

StepResult WriteWhole(const fs::path& path, const std::string& bytes) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (fs::is_directory(path, error)) return Expected("a file path", "a folder at " + Utf8Of(path));
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return Expected("a written file", "no way to write " + Utf8Of(path));
  return Pass();
}

}  // namespace

StepResult PlayFileCommand(const ScenarioFolder& folder, const Command& command) {
  std::string why;
  const std::optional<fs::path> path = ResolvePath(folder, command.args[0].text, why);
  if (!path) return why;
  if (command.kind == CommandKind::Bytes) return WriteWhole(*path, command.args[1].text);
  const std::optional<std::string> bytes = platform::EncodeCp932(command.args[1].text);
  if (!bytes) {
    return Expected("a text representable in code page 932", Quoted(command.args[1].text));
  }
  return WriteWhole(*path, *bytes);
}

StepResult PlayMkdir(const ScenarioFolder& folder, const Command& command) {
  std::string why;
  const std::optional<fs::path> path = ResolvePath(folder, command.args[0].text, why);
  if (!path) return why;
  std::error_code error;
  fs::create_directories(*path, error);
  if (!fs::is_directory(*path, error)) {
    return Expected("a new folder", "no way to make " + Utf8Of(*path));
  }
  return Pass();
}

StepResult PlayRmdir(const ScenarioFolder& folder, const Command& command) {
  std::string why;
  const std::optional<fs::path> path = ResolvePath(folder, command.args[0].text, why);
  if (!path) return why;
  std::error_code error;
  if (!fs::is_directory(*path, error)) {
    return Expected("a folder " + Quoted(command.args[0].text), "none");
  }
  fs::remove_all(*path, error);
  if (error) return Expected("the folder removed", error.message());
  return Pass();
}

}  // namespace pelorin::scenario
