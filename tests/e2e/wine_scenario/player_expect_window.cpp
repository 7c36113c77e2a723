// Expectations on the program's window, read from the real window: lists,
// menus (through the probe), band, geometry, state, tooltip, the active window.
#include "app/menu_table.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/layout_rules.h"
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

using K = scenario::CommandKind;

namespace {

std::string NameOf(scenario::ListName list) {
  return "List" + std::to_string(static_cast<int>(list));
}

}  // namespace

StepResult Player::ExpectList(const scenario::Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  const scenario::ListName list = command.args[0].list;
  std::vector<std::string> expected;
  if (!command.args[1].Is("empty")) {
    for (size_t i = 1; i < command.args.size(); ++i) expected.push_back(command.args[i].text);
  }
  const std::vector<std::string> actual = program_->Texts(list);
  if (actual != expected) {
    return Expected(NameOf(list) + " " + DescribeEntries(expected), DescribeEntries(actual));
  }
  return Pass();
}

StepResult Player::ExpectSelected(const scenario::Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  const scenario::ListName list = command.args[0].list;
  const int selected = program_->Selected(list);
  if (selected != command.args[1].Integer()) {
    return Expected(NameOf(list) + " selection " + std::to_string(command.args[1].Integer()),
                    std::to_string(selected));
  }
  return Pass();
}

StepResult Player::ExpectMenu(const scenario::Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  const std::string& name = command.args[0].text;
  const std::optional<app::MenuItem> item = app::FindMenuItem(name);
  if (!item) return Expected("a menu item name", Quoted(name));
  const bool visibility = command.kind == K::ExpectVisible;
  const std::optional<LRESULT> answer = environment_.probe.Ask(
      Window(), visibility ? probe::Question::MenuVisible : probe::Question::MenuChecked,
      static_cast<unsigned>(*item));
  const char* what = visibility ? " visible " : " checked ";
  const bool expected = command.args[1].Is("yes");
  if (!answer) return Expected(name + what + YesNo(expected), "no answer from the probe");
  if (*answer == probe::kUnknown) {
    return Expected(name + what + YesNo(expected),
                    visibility ? std::string("an item whose visibility a menu does not show")
                               : std::string("no check mark to see: the item is not in its menu"));
  }
  if ((*answer == 1) != expected)
    return Expected(name + what + YesNo(expected), YesNo(*answer == 1));
  return Pass();
}

StepResult Player::ExpectTopmost(const scenario::Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  const bool expected = command.args[0].Is("yes");
  const bool topmost = (::GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (topmost != expected) {
    return Expected(std::string("topmost ") + YesNo(expected), YesNo(topmost));
  }
  return Pass();
}

// Left and top exactly, in twips at the window's DPI (one pixel is the
// finest step a real window has); width and height by the layout's rules,
// since the real frame and rows decide them. Minimized and maximized windows
// are checked only on the simulation.
StepResult Player::ExpectGeometry(const scenario::Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  if (program_->IsMinimized() || program_->IsMaximized()) return Pass();
  RECT rect{};
  ::GetWindowRect(Window(), &rect);
  const UINT dpi = program_->Dpi();
  const std::vector<scenario::Arg>& args = command.args;
  if (TwipsToPixels(args[0].number, dpi) != rect.left ||
      TwipsToPixels(args[1].number, dpi) != rect.top) {
    return Expected("the window's left and top at " + FormatNumber(args[0].number) + " " +
                        FormatNumber(args[1].number),
                    FormatNumber(PixelsToTwips(rect.left, dpi)) + " " +
                        FormatNumber(PixelsToTwips(rect.top, dpi)));
  }
  if (std::optional<std::string> broken = LayoutViolation(*program_, list3Width_)) {
    return Expected("a width and height that follow the layout's rules", *broken);
  }
  return Pass();
}

StepResult Player::ExpectState(const scenario::Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  const char* actual = program_->IsMinimized()   ? "minimized"
                       : program_->IsMaximized() ? "maximized"
                                                 : "normal";
  if (command.args[0].text != actual) return Expected("state " + command.args[0].text, actual);
  return Pass();
}

StepResult Player::ExpectTooltip(const scenario::Command& command) {
  if (StepResult failure = RequireProgram()) return failure;
  const std::optional<std::wstring> tip =
      environment_.probe.AskText(Window(), probe::Question::ToolTip);
  if (!tip) return Expected("tooltip " + Quoted(command.args[0].text), "no answer from the probe");
  if (Utf8(*tip) != command.args[0].text) {
    return Expected("tooltip " + Quoted(command.args[0].text), Quoted(Utf8(*tip)));
  }
  return Pass();
}

StepResult Player::ExpectActive(const scenario::Command& command) {
  HWND active = ::GetForegroundWindow();
  const std::string title = active != nullptr ? Utf8(e2e::WindowText(active)) : std::string();
  if (title != command.args[0].text) {
    return Expected("active window " + Quoted(command.args[0].text), Quoted(title));
  }
  return Pass();
}

}  // namespace pelorin::wine_scenario
