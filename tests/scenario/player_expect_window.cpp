// Expectations on the program's window: lists, menus, geometry, values.
#include "app/menu_table.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

using K = CommandKind;
using platform::WindowState;

namespace {

const char* NameOf(WindowState state) {
  switch (state) {
    case WindowState::Minimized:
      return "minimized";
    case WindowState::Maximized:
      return "maximized";
    case WindowState::Normal:
      break;
  }
  return "normal";
}

bool SameTwips(double expected, float actual) { return static_cast<float>(expected) == actual; }

}  // namespace

StepResult Player::ExpectList(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  ListName list = command.args[0].list;
  std::vector<std::string> expected;
  if (!command.args[1].Is("empty")) {
    for (std::size_t i = 1; i < command.args.size(); ++i) expected.push_back(command.args[i].text);
  }
  const std::vector<std::string>& actual = sim_.List(ToListId(list)).Texts();
  if (actual != expected) {
    return Expected(NameOf(list) + " " + DescribeEntries(expected), DescribeEntries(actual));
  }
  return Pass();
}

StepResult Player::ExpectSelected(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  ListName list = command.args[0].list;
  int selected = sim_.List(ToListId(list)).Selected();
  if (selected != command.args[1].Integer()) {
    return Expected(NameOf(list) + " selection " + std::to_string(command.args[1].Integer()),
                    std::to_string(selected));
  }
  return Pass();
}

StepResult Player::ExpectMenu(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  const std::string& name = command.args[0].text;
  std::optional<app::MenuItem> item = app::FindMenuItem(name);
  if (!item) return Expected("a menu item name", Quoted(name));
  bool visibility = command.kind == K::ExpectVisible;
  bool actual = visibility ? sim_.MenuVisible(*item) : sim_.MenuChecked(*item);
  bool expected = command.args[1].Is("yes");
  if (actual != expected) {
    const char* what = visibility ? " visible " : " checked ";
    return Expected(name + what + YesNo(expected), YesNo(actual));
  }
  return Pass();
}

StepResult Player::ExpectTopmost(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  bool expected = command.args[0].Is("yes");
  if (sim_.IsTopmost() != expected) {
    return Expected(std::string("topmost ") + YesNo(expected), YesNo(sim_.IsTopmost()));
  }
  return Pass();
}

StepResult Player::ExpectGeometry(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  platform::Rect rect = sim_.WindowRect();
  const std::vector<Arg>& args = command.args;
  if (!SameTwips(args[0].number, rect.left) || !SameTwips(args[1].number, rect.top) ||
      !SameTwips(args[2].number, rect.width) || !SameTwips(args[3].number, rect.height)) {
    return Expected("geometry " + FormatNumber(args[0].number) + " " +
                        FormatNumber(args[1].number) + " " + FormatNumber(args[2].number) + " " +
                        FormatNumber(args[3].number),
                    FormatNumber(rect.left) + " " + FormatNumber(rect.top) + " " +
                        FormatNumber(rect.width) + " " + FormatNumber(rect.height));
  }
  return Pass();
}

StepResult Player::ExpectState(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  const char* actual = NameOf(sim_.GetWindowState());
  if (command.args[0].text != actual) return Expected("state " + command.args[0].text, actual);
  return Pass();
}

StepResult Player::ExpectListRect(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  ListName list = command.args[0].list;
  platform::Rect rect = sim_.ListRect(ToListId(list));
  float actual = command.kind == K::ExpectListHeight  ? rect.height
                 : command.kind == K::ExpectListWidth ? rect.width
                                                      : rect.left;
  if (!SameTwips(command.args[1].number, actual)) {
    std::string what = command.name.substr(command.name.find(' ') + 1);
    return Expected(what + " of " + NameOf(list) + " " + FormatNumber(command.args[1].number),
                    FormatNumber(actual));
  }
  return Pass();
}

StepResult Player::ExpectTooltip(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  if (sim_.ToolTip() != command.args[0].text) {
    return Expected("tooltip " + Quoted(command.args[0].text), Quoted(sim_.ToolTip()));
  }
  return Pass();
}

StepResult Player::ExpectActive(const Command& command) {
  std::string active = sim_.ActiveTitle();
  if (active != command.args[0].text) {
    return Expected("active window " + Quoted(command.args[0].text), Quoted(active));
  }
  return Pass();
}

StepResult Player::ExpectValue(const Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  if (command.kind == K::ExpectCurrentFile) {
    if (form_->CurrentFile() != command.args[0].text) {
      return Expected("CurrentFile " + Quoted(command.args[0].text), Quoted(form_->CurrentFile()));
    }
    return Pass();
  }
  if (form_->LastShift() != command.args[0].Integer()) {
    return Expected("LastShift " + std::to_string(command.args[0].Integer()),
                    std::to_string(form_->LastShift()));
  }
  return Pass();
}

}  // namespace pelorin::scenario
