// The simulated window as the shared checks read it, and the checks only the
// simulation makes: geometry and the lists' rectangles in exact twips, the
// program's own values.
#include "tests/scenario/player.h"

namespace pelorin::scenario {

using K = CommandKind;

namespace {

bool SameTwips(double expected, float actual) { return static_cast<float>(expected) == actual; }

}  // namespace

std::vector<std::string> Player::ListTexts(ListName list) {
  return sim_.List(ToListId(list)).Texts();
}

int Player::SelectedIndex(ListName list) { return sim_.List(ToListId(list)).Selected(); }

std::optional<bool> Player::MenuMark(app::MenuItem item, bool visibility, std::string&) {
  return visibility ? sim_.MenuVisible(item) : sim_.MenuChecked(item);
}

std::optional<std::string> Player::ToolTip(std::string&) { return sim_.ToolTip(); }

std::optional<std::string> Player::MenuCaption(app::MenuItem item, std::string&) {
  return sim_.Menus().Caption(item);
}

std::optional<ListName> Player::KeyboardFocus(std::string&) {
  return static_cast<ListName>(sim_.FocusedList());
}

StepResult Player::ExpectGeometry(const Command& command) {
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

StepResult Player::ExpectListRect(const Command& command) {
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

StepResult Player::ExpectValue(const Command& command) {
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
