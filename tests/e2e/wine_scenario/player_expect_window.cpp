// The real window as the shared checks read it: lists, menus (through the
// probe), band, state, tooltip, the active window, the clipboard; and the
// checks this runner makes its own way: geometry, beeps (as the probe counts
// them in the program), what the shell was asked to open.
#include <fstream>

#include "tests/e2e/wine_scenario/player.h"
#include "tests/scenario/output_expectations.h"

namespace pelorin::wine_scenario {

std::optional<bool> Player::MenuMark(app::MenuItem item, bool visibility, std::string& why) {
  const std::optional<LRESULT> answer = environment_.probe.Ask(
      Window(), visibility ? probe::Question::MenuVisible : probe::Question::MenuChecked,
      static_cast<unsigned>(item));
  if (answer && *answer != probe::kUnknown) return *answer == 1;
  why = !answer      ? "no answer from the probe"
        : visibility ? "an item whose visibility a menu does not show"
                     : "no check mark to see: the item is not in its menu";
  return std::nullopt;
}

bool Player::Topmost() { return (::GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

platform::WindowState Player::State() {
  if (program_->IsMinimized()) return platform::WindowState::Minimized;
  if (program_->IsMaximized()) return platform::WindowState::Maximized;
  return platform::WindowState::Normal;
}

std::optional<std::string> Player::ToolTip(std::string& why) {
  if (const auto tip = environment_.probe.AskText(Window(), probe::Question::ToolTip)) {
    return Utf8(*tip);
  }
  why = "no answer from the probe";
  return std::nullopt;
}

std::string Player::ActiveTitle() {
  HWND active = ::GetForegroundWindow();
  // Wine's virtual desktop has no "Program Manager" window: with no window in
  // front, the desktop itself is what a scenario names so.
  if (active == nullptr || active == ::GetDesktopWindow() || active == ::GetShellWindow()) {
    return "Program Manager";
  }
  return Utf8(e2e::WindowText(active));
}

std::optional<std::string> Player::ClipboardText() {
  return wine_scenario::ClipboardText(environment_.probe.Owner());
}

// Left and top exactly, in twips at the window's DPI (one pixel is the
// finest step a real window has); width and height by the layout's rules,
// since the real frame and rows decide them. Minimized and maximized windows
// are checked only on the simulation.
StepResult Player::ExpectGeometry(const scenario::Command& command) {
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
  if (std::optional<std::string> broken = LayoutBroken()) {
    return Expected("a width and height that follow the layout's rules", *broken);
  }
  return Pass();
}

void Player::RememberBeeps() {
  if (!Running()) return;
  const std::optional<LRESULT> beeps = environment_.probe.Ask(Window(), probe::Question::Beeps);
  if (beeps) beepsSeen_ = static_cast<long>(*beeps);
}

StepResult Player::ExpectBeep(const scenario::Command& command) {
  RememberBeeps();
  return scenario::CheckBeep(command, beepsSeen_, beepsChecked_);
}

// The prefix's stand-in for the browser and the help viewer
// (tests/e2e/open_recorder/open_recorder.cpp) writes down what it was asked
// to open, one line each; the shell starts it as a process of its own, a
// moment later.
StepResult Player::ExpectOpened(const scenario::Command& command) {
  const std::string appFolder = Utf8(folder_.Path().generic_wstring());
  StepResult result;
  e2e::WaitUntil(
      [&] {
        std::ifstream in(OpenedLogPath(), std::ios::binary);
        in.seekg(static_cast<std::streamoff>(openedRead_));
        std::string line;
        while (in && std::getline(in, line) && !in.eof()) {
          openedRead_ += line.size() + 1;
          for (char& c : line) c = c == '\\' ? '/' : c;
          opened_.push_back(line);
        }
        result = scenario::CheckOpened(command, appFolder, opened_);
        return !result;
      },
      5000);
  return result;
}

}  // namespace pelorin::wine_scenario
