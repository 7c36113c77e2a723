#include "tests/scenario/file_expectations.h"

#include <fstream>
#include <sstream>

#include "platform/std_file_system.h"
#include "platform/text_codec.h"
#include "store/settings_file.h"
#include "tests/scenario/folder_paths.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadWhole(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) return std::nullopt;
  return bytes.str();
}

// What a file holds, readable: its code page 932 text, else its bytes.
std::string DescribeContent(const std::string& bytes) {
  if (bytes.empty()) return "an empty file";
  std::optional<std::string> text = platform::DecodeCp932(bytes);
  if (text) return Quoted(*text) + " (" + DescribeBytes(bytes) + ")";
  return DescribeBytes(bytes);
}

}  // namespace

StepResult CheckFile(const ScenarioFolder& folder, const Command& command,
                     const SavedContentRule& rule) {
  std::string why;
  const std::optional<fs::path> path = ResolvePath(folder, command.args[0].text, why);
  if (!path) return why;
  const bool text = command.kind == CommandKind::ExpectFile;
  std::optional<std::string> expected = command.args[1].text;
  if (text) {
    expected = platform::EncodeCp932(command.args[1].text);
    if (!expected) {
      return Expected("a text representable in code page 932", Quoted(command.args[1].text));
    }
  }
  const std::string what = "file " + command.args[0].text + " holding " +
                           (text ? Quoted(command.args[1].text) : DescribeBytes(*expected));
  const std::optional<std::string> actual = ReadWhole(*path);
  if (!actual) return Expected(what, "no file");
  if (!NamedExactly(folder, *path)) return Expected(what, "only a name in another letter case");
  if (!rule.SameFile(*expected, *actual)) {
    return Expected(what, text ? DescribeContent(*actual) : DescribeBytes(*actual));
  }
  return Pass();
}

StepResult CheckNoFile(const ScenarioFolder& folder, const Command& command) {
  std::string why;
  const std::optional<fs::path> path = ResolvePath(folder, command.args[0].text, why);
  if (!path) return why;
  const std::string what = "no file " + command.args[0].text;
  if (!NamedExactly(folder, *path)) return Pass();
  std::error_code error;
  if (fs::is_directory(*path, error)) return Expected(what, "a folder");
  if (std::optional<std::string> bytes = ReadWhole(*path)) {
    return Expected(what, "a file holding " + DescribeContent(*bytes));
  }
  if (fs::exists(fs::symlink_status(*path, error))) return Expected(what, "something there");
  return Pass();
}

StepResult CheckIni(const ScenarioFolder& folder, const Command& command,
                    const SavedContentRule& rule) {
  const std::vector<Arg>& args = command.args;
  const std::string settingsPath =
      args.size() > 4 ? args[4].text : std::string(store::kSettingsFileName);
  std::string why;
  const std::optional<fs::path> path = ResolvePath(folder, settingsPath, why);
  if (!path) return why;
  platform::StdFileSystem files;
  const store::SettingsFile settings(files, Utf8Of(*path));
  const store::SettingsValue value = settings.Read(args[0].text, args[1].text);
  std::string what = "[" + args[0].text + "] " + args[1].text + " ";
  what += args[2].Is("absent") ? std::string("absent") : "= " + Quoted(args[2].text);
  what += " in " + settingsPath;
  if (!value.readable) return Expected(what, "the file unreadable: " + value.error);
  if (args[2].Is("absent")) {
    if (value.value) return Expected(what, Quoted(*value.value));
    return Pass();
  }
  if (!value.value) return Expected(what, "no such value");
  if (!rule.SameSetting(args[0].text, args[1].text, args[2].text, *value.value)) {
    return Expected(what, Quoted(*value.value));
  }
  return Pass();
}

}  // namespace pelorin::scenario
