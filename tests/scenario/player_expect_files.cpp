// Expectations on the files in the application folder, read as they are on
// disk (the simulated faults do not apply to the scenario's own reads).
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/text_codec.h"
#include "store/settings_file.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadWhole(const fs::path& path) {
  if (!fs::is_regular_file(path)) return std::nullopt;
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

StepResult Player::ExpectFile(const Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  const std::string& text = command.args[1].text;
  std::optional<std::string> expected = platform::EncodeCp932(text);
  if (!expected) return Expected("a text representable in code page 932", Quoted(text));
  std::string what = "file " + command.args[0].text + " holding " + Quoted(text);
  std::optional<std::string> actual = ReadWhole(*path);
  if (!actual) return Expected(what, "no file");
  if (*actual != *expected) return Expected(what, DescribeContent(*actual));
  return Pass();
}

StepResult Player::ExpectBytes(const Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  const std::string& expected = command.args[1].text;
  std::string what = "file " + command.args[0].text + " holding " + DescribeBytes(expected);
  std::optional<std::string> actual = ReadWhole(*path);
  if (!actual) return Expected(what, "no file");
  if (*actual != expected) return Expected(what, DescribeBytes(*actual));
  return Pass();
}

StepResult Player::ExpectNoFile(const Command& command) {
  StepResult failure;
  std::optional<fs::path> path = PathOf(command.args[0], failure);
  if (!path) return failure;
  std::string what = "no file " + command.args[0].text;
  if (fs::is_directory(*path)) return Expected(what, "a folder");
  if (std::optional<std::string> bytes = ReadWhole(*path)) {
    return Expected(what, "a file holding " + DescribeContent(*bytes));
  }
  if (fs::exists(fs::symlink_status(*path))) return Expected(what, "something there");
  return Pass();
}

StepResult Player::ExpectIni(const Command& command) {
  const std::vector<Arg>& args = command.args;
  Arg settingsPath;
  settingsPath.text = args.size() > 4 ? args[4].text : std::string(store::kSettingsFileName);
  StepResult failure;
  std::optional<fs::path> path = PathOf(settingsPath, failure);
  if (!path) return failure;

  store::SettingsFile settings(plainFiles_, path->generic_string());
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
  if (*value.value != args[2].text) return Expected(what, Quoted(*value.value));
  return Pass();
}

}  // namespace pelorin::scenario
