// Expectations on what the program showed and sent: dialogs and context
// menus, pastes, beeps, shell opens, the clipboard. Logged entries are
// checked oldest first and taken off their log; a dialog expectation checks
// the oldest unchecked dialog of its own kind.
#include <algorithm>

#include "tests/scenario/player.h"

namespace pelorin::scenario {

using sim::DialogKind;
using sim::DialogRecord;

namespace {

std::string DescribeNumberPattern(const Arg& pattern) {
  return pattern.IsAny() ? std::string("*") : FormatNumber(pattern.number);
}

bool MatchesNumber(const Arg& pattern, double value) {
  return pattern.IsAny() || static_cast<float>(pattern.number) == static_cast<float>(value);
}

std::string DescribePaste(const sim::PasteRecord& paste) {
  return "Ctrl+V to " + Quoted(paste.target) +
         (paste.text ? " with " + Quoted(*paste.text) : std::string(" with no text"));
}

// The oldest unchecked entry of this kind; log.end() when there is none.
std::deque<DialogRecord>::iterator OldestOf(std::deque<DialogRecord>& log, DialogKind kind) {
  return std::find_if(log.begin(), log.end(),
                      [kind](const DialogRecord& record) { return record.kind == kind; });
}

const char* NoneOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::MsgBox:
      return "no message box";
    case DialogKind::InputBox:
      return "no input box";
    case DialogKind::Popup:
      break;
  }
  return "no context menu";
}

}  // namespace

StepResult Player::ExpectMsgBox(const Command& command) {
  const std::vector<Arg>& args = command.args;
  std::string what = "message box " + DescribePattern(args[0]) + " " + DescribePattern(args[1]) +
                     " " + DescribeNumberPattern(args[2]);
  std::deque<DialogRecord>& log = sim_.DialogLog();
  auto oldest = OldestOf(log, DialogKind::MsgBox);
  if (oldest == log.end()) return Expected(what, NoneOf(DialogKind::MsgBox));
  const DialogRecord& shown = *oldest;
  if (!Matches(args[0], shown.text) || !Matches(args[1], shown.caption) ||
      !MatchesNumber(args[2], shown.flags)) {
    return Expected(what, shown.Describe());
  }
  log.erase(oldest);
  return Pass();
}

StepResult Player::ExpectInputBox(const Command& command) {
  const std::vector<Arg>& args = command.args;
  bool placed = args.size() == 6;
  std::string what = "input box " + DescribePattern(args[0]) + " " + DescribePattern(args[1]) +
                     " " + DescribePattern(args[2]);
  if (placed)
    what += " at " + DescribeNumberPattern(args[4]) + " " + DescribeNumberPattern(args[5]);
  std::deque<DialogRecord>& log = sim_.DialogLog();
  auto oldest = OldestOf(log, DialogKind::InputBox);
  if (oldest == log.end()) return Expected(what, NoneOf(DialogKind::InputBox));
  const DialogRecord& shown = *oldest;
  bool same = Matches(args[0], shown.text) && Matches(args[1], shown.caption) &&
              Matches(args[2], shown.defaultText);
  if (same && placed)
    same = MatchesNumber(args[4], shown.left) && MatchesNumber(args[5], shown.top);
  if (!same) return Expected(what, shown.Describe());
  log.erase(oldest);
  return Pass();
}

StepResult Player::ExpectPopup(const Command& command) {
  std::string what = "context menu";
  for (const Arg& arg : command.args) {
    what += " " + (arg.text == "-" ? std::string("-") : DescribePattern(arg));
  }
  std::deque<DialogRecord>& log = sim_.DialogLog();
  auto oldest = OldestOf(log, DialogKind::Popup);
  if (oldest == log.end()) return Expected(what, NoneOf(DialogKind::Popup));
  const DialogRecord& shown = *oldest;
  bool same = shown.items.size() == command.args.size();
  for (std::size_t i = 0; same && i < shown.items.size(); ++i) {
    same = Matches(command.args[i], shown.items[i]);
  }
  if (!same) return Expected(what, shown.Describe());
  log.erase(oldest);
  return Pass();
}

StepResult Player::ExpectNoDialog() {
  const std::deque<DialogRecord>& log = sim_.DialogLog();
  if (log.empty()) return Pass();
  std::string found = log.front().Describe();
  if (log.size() > 1) found += " and " + std::to_string(log.size() - 1) + " more";
  return Expected("no unchecked dialog", found);
}

StepResult Player::ExpectPasted(const Command& command) {
  const std::string& title = command.args[0].text;
  const std::string& text = command.args[1].text;
  std::string what = "Ctrl+V to " + Quoted(title) + " with " + Quoted(text);
  std::deque<sim::PasteRecord>& pastes = sim_.Pastes();
  if (pastes.empty()) return Expected(what, "no paste");
  const sim::PasteRecord& paste = pastes.front();
  if (paste.target != title || paste.text != text) return Expected(what, DescribePaste(paste));
  pastes.pop_front();
  return Pass();
}

StepResult Player::ExpectNoPaste() {
  if (sim_.Pastes().empty()) return Pass();
  return Expected("no unchecked paste", DescribePaste(sim_.Pastes().front()));
}

StepResult Player::ExpectBeep(const Command& command) {
  bool beeped = sim_.BeepCount() > beepsChecked_;
  beepsChecked_ = sim_.BeepCount();
  bool expected = command.args[0].Is("yes");
  if (beeped != expected) return Expected(std::string("beep ") + YesNo(expected), YesNo(beeped));
  return Pass();
}

StepResult Player::ExpectOpened(const Command& command) {
  const std::string& target = command.args[0].text;
  std::string prefix = sim_.AppFolder() + "/";
  std::deque<std::string>& opened = sim_.Opened();
  auto shownAs = [&](const std::string& asked) {
    return asked.starts_with(prefix) ? asked.substr(prefix.size()) : asked;
  };
  auto match = std::find_if(opened.begin(), opened.end(),
                            [&](const std::string& asked) { return shownAs(asked) == target; });
  if (match != opened.end()) {
    opened.erase(match);
    return Pass();
  }
  std::vector<std::string> asked;
  for (const std::string& entry : opened) asked.push_back(shownAs(entry));
  return Expected("the shell asked to open " + Quoted(target),
                  asked.empty() ? std::string("nothing opened") : DescribeEntries(asked));
}

StepResult Player::ExpectClipboard(const Command& command) {
  const std::optional<std::string>& actual = sim_.Clipboard();
  std::string found = actual ? Quoted(*actual) : std::string("no text");
  if (command.args[0].Is("empty")) {
    if (actual) return Expected("no text on the clipboard", found);
    return Pass();
  }
  if (actual != command.args[0].text) {
    return Expected("clipboard " + Quoted(command.args[0].text), found);
  }
  return Pass();
}

}  // namespace pelorin::scenario
