#include "tests/scenario/window_expectations.h"

namespace pelorin::scenario {

namespace {

// A text the window shows against the expected one; nullopt when it cannot
// be read (why).
StepResult CheckShownText(const std::string& what, const std::string& expected,
                          const std::optional<std::string>& actual, const std::string& why) {
  if (!actual) return Expected(what, why);
  if (*actual != expected) return Expected(what, Quoted(*actual));
  return Pass();
}

}  // namespace

StepResult CheckProgramThere(bool started, bool running) {
  if (!started) return Expected("a started program", "none started");
  if (!running) return Expected("a running program", "it ended");
  return Pass();
}

StepResult CheckEnded(bool started, bool ended) {
  if (!started) return Expected("the program ended", "it never started");
  if (!ended) return Expected("the program ended", "it running");
  return Pass();
}

StepResult CheckRunning(bool started, bool running, bool shown) {
  if (!started) return Expected("the program running", "it never started");
  if (!running) return Expected("the program running", "it ended");
  if (!shown) return Expected("the program's window shown", "it hidden");
  return Pass();
}

StepResult CheckList(const Command& command, const std::vector<std::string>& actual) {
  std::vector<std::string> expected;
  for (std::size_t i = 1; i < command.args.size() && !command.args[i].Is("empty"); ++i) {
    expected.push_back(command.args[i].text);
  }
  if (actual == expected) return Pass();
  return Expected(NameOf(command.args[0].list) + " " + DescribeEntries(expected),
                  DescribeEntries(actual));
}

StepResult CheckSelected(const Command& command, int actual) {
  const int expected = command.args[1].Integer();
  if (actual == expected) return Pass();
  return Expected(NameOf(command.args[0].list) + " selection " + std::to_string(expected),
                  std::to_string(actual));
}

StepResult CheckMenuMark(const Command& command, const std::optional<bool>& actual,
                         const std::string& why) {
  const char* mark = command.kind == CommandKind::ExpectVisible ? " visible " : " checked ";
  const bool expected = command.args[1].Is("yes");
  const std::string what = command.args[0].text + mark + YesNo(expected);
  if (!actual) return Expected(what, why);
  if (*actual != expected) return Expected(what, YesNo(*actual));
  return Pass();
}

StepResult CheckTopmost(const Command& command, bool actual) {
  const bool expected = command.args[0].Is("yes");
  if (actual != expected) return Expected(std::string("topmost ") + YesNo(expected), YesNo(actual));
  return Pass();
}

StepResult CheckState(const Command& command, platform::WindowState actual) {
  static const char* const kNames[] = {"normal", "minimized", "maximized"};  // by value
  const char* shown = kNames[static_cast<int>(actual)];
  if (command.args[0].text != shown) return Expected("state " + command.args[0].text, shown);
  return Pass();
}

StepResult CheckTooltip(const Command& command, const std::optional<std::string>& actual,
                        const std::string& why) {
  const std::string& expected = command.args[0].text;
  return CheckShownText("tooltip " + Quoted(expected), expected, actual, why);
}

StepResult CheckCaption(const Command& command, const std::optional<std::string>& actual,
                        const std::string& why) {
  const std::string& expected = command.args[1].text;
  return CheckShownText("caption of " + command.args[0].text + " " + Quoted(expected), expected,
                        actual, why);
}

StepResult CheckFocus(const Command& command, const std::optional<ListName>& actual,
                      const std::string& why) {
  const std::string what = "the keyboard focus in " + NameOf(command.args[0].list);
  if (!actual) return Expected(what, why);
  if (*actual != command.args[0].list) return Expected(what, "it in " + NameOf(*actual));
  return Pass();
}

StepResult CheckActive(const Command& command, const std::string& title) {
  return CheckShownText("active window " + Quoted(command.args[0].text), command.args[0].text,
                        title, "");
}

}  // namespace pelorin::scenario
