// Expectations on the files in the application folder, read as they are on
// disk; the settings file through the program's own settings code.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/std_file_system.h"
#include "platform/text_codec.h"
#include "store/settings_file.h"
#include "tests/e2e/wine_scenario/player.h"
#include "tests/e2e/wine_scenario/saved_state.h"

namespace pelorin::wine_scenario {

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

// A saved STATE line in the file is compared without its height and width.
StepResult Player::ExpectFile(const scenario::Command& command, bool encode) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  std::optional<std::string> expected = command.args[1].text;
  std::string what;
  if (encode) {
    expected = platform::EncodeCp932(command.args[1].text);
    if (!expected) {
      return Expected("a text representable in code page 932", Quoted(command.args[1].text));
    }
    what = "file " + command.args[0].text + " holding " + Quoted(command.args[1].text);
  } else {
    what = "file " + command.args[0].text + " holding " + DescribeBytes(*expected);
  }
  std::optional<std::string> actual = ReadWhole(*path);
  if (!actual) return Expected(what, "no file");
  if (!folder_.ExistsExactly(*path)) return Expected(what, "only a name in another letter case");
  if (!SameContentsButStateSize(*expected, *actual, Dpi())) {
    return Expected(what, encode ? DescribeContent(*actual) : DescribeBytes(*actual));
  }
  return Pass();
}

StepResult Player::ExpectNoFile(const scenario::Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  const std::string what = "no file " + command.args[0].text;
  if (!folder_.ExistsExactly(*path)) return Pass();
  std::error_code error;
  if (fs::is_directory(*path, error)) return Expected(what, "a folder");
  if (std::optional<std::string> bytes = ReadWhole(*path)) {
    return Expected(what, "a file holding " + DescribeContent(*bytes));
  }
  if (fs::exists(fs::symlink_status(*path, error))) return Expected(what, "something there");
  return Pass();
}

StepResult Player::ExpectIni(const scenario::Command& command) {
  const std::vector<scenario::Arg>& args = command.args;
  scenario::Arg settingsPath;
  settingsPath.text = args.size() > 4 ? args[4].text : std::string(store::kSettingsFileName);
  StepResult failure;
  if (!PathOf(settingsPath, failure)) return failure;
  platform::StdFileSystem files;
  store::SettingsFile settings(files, folder_.Utf8Path() + "/" + settingsPath.text);
  store::SettingsValue value = settings.Read(args[0].text, args[1].text);
  std::string what = "[" + args[0].text + "] " + args[1].text + " ";
  what += args[2].Is("absent") ? std::string("absent") : "= " + Quoted(args[2].text);
  what += " in " + settingsPath.text;
  if (!value.readable) return Expected(what, "the file unreadable: " + value.error);
  if (args[2].Is("absent")) {
    if (value.value) return Expected(what, Quoted(*value.value));
    return Pass();
  }
  if (!value.value) return Expected(what, "no such value");
  const bool same = IsSavedStateKey(args[0].text, args[1].text)
                        ? SameSavedState(args[2].text, *value.value, Dpi())
                        : *value.value == args[2].text;
  if (!same) return Expected(what, Quoted(*value.value));
  return Pass();
}

}  // namespace pelorin::wine_scenario
