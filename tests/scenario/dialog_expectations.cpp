#include "tests/scenario/dialog_expectations.h"

#include <optional>

namespace pelorin::scenario {

namespace {

// The oldest unchecked entry of this kind.
std::optional<std::size_t> OldestOf(const DialogLog& log, DialogKind kind) {
  for (std::size_t i = 0; i < log.Size(); ++i) {
    if (log.KindAt(i) == kind) return i;
  }
  return std::nullopt;
}

const char* NoneOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::MsgBox:
      return "no message box";
    case DialogKind::InputBox:
      return "no input box";
    case DialogKind::Search:
      return "no search window";
    case DialogKind::CallUpKey:
      return "no call-up key dialog";
    case DialogKind::Popup:
      break;
  }
  return "no context menu";
}

}  // namespace

StepResult CheckMsgBox(DialogLog& log, const Command& command) {
  const std::vector<Arg>& args = command.args;
  const std::string what = "message box " + DescribePattern(args[0]) + " " +
                           DescribePattern(args[1]) + " " + DescribeNumberPattern(args[2]);
  const std::optional<std::size_t> oldest = OldestOf(log, DialogKind::MsgBox);
  if (!oldest) return Expected(what, NoneOf(DialogKind::MsgBox));
  const ShownDialog shown = log.At(*oldest);
  if (!Matches(args[0], shown.text) || !Matches(args[1], shown.caption) ||
      !MatchesNumber(args[2], shown.flags)) {
    return Expected(what, shown.described);
  }
  log.Take(*oldest);
  return Pass();
}

StepResult CheckInputBox(DialogLog& log, const Command& command) {
  const std::vector<Arg>& args = command.args;
  const bool placed = args.size() == 6;
  std::string what = "input box " + DescribePattern(args[0]) + " " + DescribePattern(args[1]) +
                     " " + DescribePattern(args[2]);
  if (placed) {
    what += " at " + DescribeNumberPattern(args[4]) + " " + DescribeNumberPattern(args[5]);
  }
  const std::optional<std::size_t> oldest = OldestOf(log, DialogKind::InputBox);
  if (!oldest) return Expected(what, NoneOf(DialogKind::InputBox));
  const ShownDialog shown = log.At(*oldest);
  bool same = Matches(args[0], shown.text) && Matches(args[1], shown.caption) &&
              Matches(args[2], shown.defaultText);
  if (same && placed) same = log.PlacedAt(*oldest, args[4], args[5]);
  if (!same) return Expected(what, shown.described);
  log.Take(*oldest);
  return Pass();
}

StepResult CheckPopup(DialogLog& log, const Command& command) {
  std::string what = "context menu";
  for (const Arg& arg : command.args) {
    what.append(" ").append(arg.text == "-" ? std::string("-") : DescribePattern(arg));
  }
  const std::optional<std::size_t> oldest = OldestOf(log, DialogKind::Popup);
  if (!oldest) return Expected(what, NoneOf(DialogKind::Popup));
  const ShownDialog shown = log.At(*oldest);
  bool same = shown.items.size() == command.args.size();
  for (std::size_t i = 0; same && i < shown.items.size(); ++i) {
    same = Matches(command.args[i], shown.items[i]);
  }
  if (!same) return Expected(what, shown.described);
  log.Take(*oldest);
  return Pass();
}

StepResult CheckSearch(DialogLog& log, const Command& command) {
  const std::string& text = command.args[0].text;
  std::vector<std::string> wanted;
  std::string what = "search window showing for " + Quoted(text) + ":";
  for (std::size_t i = 1; i < command.args.size(); ++i) {
    if (command.args[i].Is("empty")) break;
    wanted.push_back(command.args[i].text);
  }
  if (wanted.empty()) what += " nothing";
  for (const std::string& word : wanted) what += " " + Quoted(word);
  const std::optional<std::size_t> oldest = OldestOf(log, DialogKind::Search);
  if (!oldest) return Expected(what, NoneOf(DialogKind::Search));
  const ShownDialog shown = log.At(*oldest);
  for (const SearchStep& step : shown.searched) {
    if (step.text != text) continue;
    if (step.results != wanted) {
      std::string found = "for " + Quoted(text) + ":";
      if (step.results.empty()) found += " nothing";
      for (const std::string& word : step.results) found += " " + Quoted(word);
      return Expected(what, found);
    }
    log.Take(*oldest);
    return Pass();
  }
  return Expected(what, "no such text typed into the " + shown.described);
}

StepResult CheckCallUpKeyDialog(DialogLog& log) {
  // The dialog's own texts, whichever runner saw it.
  const std::string what = "call-up key dialog \"Pelorinを呼び出すキーを押して下さい\" \"呼び出しキー\"";
  const std::optional<std::size_t> oldest = OldestOf(log, DialogKind::CallUpKey);
  if (!oldest) return Expected(what, NoneOf(DialogKind::CallUpKey));
  const ShownDialog shown = log.At(*oldest);
  if (shown.text != "Pelorinを呼び出すキーを押して下さい" || shown.caption != "呼び出しキー") {
    return Expected(what, shown.described);
  }
  log.Take(*oldest);
  return Pass();
}

StepResult CheckNoDialog(const DialogLog& log) {
  if (log.Size() == 0) return Pass();
  std::string found = log.At(0).described;
  if (log.Size() > 1) found += " and " + std::to_string(log.Size() - 1) + " more";
  return Expected("no unchecked dialog", found);
}

}  // namespace pelorin::scenario
