// Expectations on what the program showed and sent: dialogs and context
// menus (as read from the real windows when they appeared), pastes (as the
// other windows received them), beeps, the clipboard. Logged entries are
// checked oldest first and taken off their log; a dialog expectation checks
// the oldest unchecked dialog of its own kind.
#include <algorithm>

#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

namespace {

bool Matches(const scenario::Arg& pattern, const std::string& value) {
  return pattern.IsAny() || pattern.text == value;
}

std::string DescribePattern(const scenario::Arg& pattern) {
  return pattern.IsAny() ? std::string("*") : Quoted(pattern.text);
}

std::string DescribeNumberPattern(const scenario::Arg& pattern) {
  return pattern.IsAny() ? std::string("*") : FormatNumber(pattern.number);
}

// A position in twips against a real one in pixels: the same pixel.
bool MatchesPixel(const scenario::Arg& pattern, int pixels, UINT dpi) {
  return pattern.IsAny() || TwipsToPixels(pattern.number, dpi) == pixels;
}

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

StepResult Player::ExpectMsgBox(const scenario::Command& command) {
  const std::vector<scenario::Arg>& args = command.args;
  const std::string what = "message box " + DescribePattern(args[0]) + " " +
                           DescribePattern(args[1]) + " " + DescribeNumberPattern(args[2]);
  auto oldest = OldestOf(log_, DialogKind::MsgBox);
  if (oldest == log_.end()) return Expected(what, NoneOf(DialogKind::MsgBox));
  if (!Matches(args[0], oldest->text) || !Matches(args[1], oldest->caption) ||
      !(args[2].IsAny() || args[2].Integer() == oldest->flags)) {
    return Expected(what, oldest->Describe());
  }
  log_.erase(oldest);
  return Pass();
}

StepResult Player::ExpectInputBox(const scenario::Command& command) {
  const std::vector<scenario::Arg>& args = command.args;
  const bool placed = args.size() == 6;
  std::string what = "input box " + DescribePattern(args[0]) + " " + DescribePattern(args[1]) +
                     " " + DescribePattern(args[2]);
  if (placed) {
    what += " at " + DescribeNumberPattern(args[4]) + " " + DescribeNumberPattern(args[5]);
  }
  auto oldest = OldestOf(log_, DialogKind::InputBox);
  if (oldest == log_.end()) return Expected(what, NoneOf(DialogKind::InputBox));
  bool same = Matches(args[0], oldest->text) && Matches(args[1], oldest->caption) &&
              Matches(args[2], oldest->defaultText);
  if (same && placed) {
    same = MatchesPixel(args[4], oldest->topLeft.x, oldest->dpi) &&
           MatchesPixel(args[5], oldest->topLeft.y, oldest->dpi);
  }
  if (!same) return Expected(what, oldest->Describe());
  log_.erase(oldest);
  return Pass();
}

StepResult Player::ExpectPopup(const scenario::Command& command) {
  std::string what = "context menu";
  for (const scenario::Arg& arg : command.args) {
    what += " " + (arg.text == "-" ? std::string("-") : DescribePattern(arg));
  }
  auto oldest = OldestOf(log_, DialogKind::Popup);
  if (oldest == log_.end()) return Expected(what, NoneOf(DialogKind::Popup));
  bool same = oldest->items.size() == command.args.size();
  for (size_t i = 0; same && i < oldest->items.size(); ++i) {
    same = Matches(command.args[i], oldest->items[i]);
  }
  if (!same) return Expected(what, oldest->Describe());
  log_.erase(oldest);
  return Pass();
}

StepResult Player::ExpectNoDialog() {
  if (log_.empty()) return Pass();
  std::string found = log_.front().Describe();
  if (log_.size() > 1) found += " and " + std::to_string(log_.size() - 1) + " more";
  return Expected("no unchecked dialog", found);
}

StepResult Player::ExpectPasted(const scenario::Command& command) {
  const std::string& title = command.args[0].text;
  const std::string& text = command.args[1].text;
  const std::string what = "Ctrl+V to " + Quoted(title) + " with " + Quoted(text);
  std::deque<PasteRecord>& pastes = targets_.Log();
  if (pastes.empty()) return Expected(what, "no paste");
  const PasteRecord& paste = pastes.front();
  if (paste.target != title || paste.text != text || paste.received != text || paste.shift) {
    return Expected(what, paste.Describe());
  }
  pastes.pop_front();
  return Pass();
}

StepResult Player::ExpectNoPaste() {
  if (targets_.Log().empty()) return Pass();
  return Expected("no unchecked paste", targets_.Log().front().Describe());
}

StepResult Player::ExpectBeep(const scenario::Command& command) {
  RememberBeeps();
  const bool beeped = beepsSeen_ > beepsChecked_;
  beepsChecked_ = beepsSeen_;
  const bool expected = command.args[0].Is("yes");
  if (beeped != expected) return Expected(std::string("beep ") + YesNo(expected), YesNo(beeped));
  return Pass();
}

StepResult Player::ExpectClipboard(const scenario::Command& command) {
  const std::optional<std::string> actual = ClipboardText(environment_.probe.Owner());
  const std::string found = actual ? Quoted(*actual) : std::string("no text");
  if (command.args[0].Is("empty")) {
    if (actual) return Expected("no text on the clipboard", found);
    return Pass();
  }
  if (actual != command.args[0].text) {
    return Expected("clipboard " + Quoted(command.args[0].text), found);
  }
  return Pass();
}

}  // namespace pelorin::wine_scenario
