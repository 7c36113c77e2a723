#include "tests/scenario/dialog_expectations.h"

#include <functional>

namespace pelorin::scenario {

namespace {

// Checks the oldest unchecked entry of this kind with `differs` (what was
// found instead, or nothing when it is as expected) and takes it off the log.
StepResult CheckOldest(DialogLog& log, DialogKind kind, const std::string& what,
                       const std::function<StepResult(const ShownDialog&, std::size_t)>& differs) {
  for (std::size_t i = 0; i < log.Size(); ++i) {
    if (log.KindAt(i) != kind) continue;
    if (StepResult found = differs(log.At(i), i)) return Expected(what, *found);
    log.Take(i);
    return Pass();
  }
  static const char* const kNone[] = {"no message box", "no input box", "no context menu",
                                      "no search window", "no call-up key dialog"};
  return Expected(what, kNone[static_cast<int>(kind)]);
}

// " "a" "b"", or " nothing".
std::string Listed(const std::vector<std::string>& words) {
  std::string listed = words.empty() ? " nothing" : "";
  for (const std::string& word : words) listed.append(" ").append(Quoted(word));
  return listed;
}

}  // namespace

StepResult CheckMsgBox(DialogLog& log, const Command& command) {
  const std::vector<Arg>& args = command.args;
  return CheckOldest(log, DialogKind::MsgBox,
                     "message box " + DescribePattern(args[0]) + " " + DescribePattern(args[1]) +
                         " " + DescribeNumberPattern(args[2]),
                     [&](const ShownDialog& shown, std::size_t) {
                       const bool same = Matches(args[0], shown.text) &&
                                         Matches(args[1], shown.caption) &&
                                         MatchesNumber(args[2], shown.flags);
                       return same ? Pass() : shown.described;
                     });
}

StepResult CheckInputBox(DialogLog& log, const Command& command) {
  const std::vector<Arg>& args = command.args;
  const bool placed = args.size() == 6;
  std::string what = "input box " + DescribePattern(args[0]) + " " + DescribePattern(args[1]) +
                     " " + DescribePattern(args[2]);
  if (placed) {
    what += " at " + DescribeNumberPattern(args[4]) + " " + DescribeNumberPattern(args[5]);
  }
  return CheckOldest(log, DialogKind::InputBox, what, [&](const ShownDialog& shown, std::size_t i) {
    const bool same = Matches(args[0], shown.text) && Matches(args[1], shown.caption) &&
                      Matches(args[2], shown.defaultText) &&
                      (!placed || log.PlacedAt(i, args[4], args[5]));
    return same ? Pass() : shown.described;
  });
}

StepResult CheckPopup(DialogLog& log, const Command& command) {
  const std::vector<Arg>& args = command.args;
  std::string what = "context menu";
  for (const Arg& arg : args) what += " " + (arg.text == "-" ? arg.text : DescribePattern(arg));
  return CheckOldest(log, DialogKind::Popup, what, [&](const ShownDialog& shown, std::size_t) {
    bool same = shown.items.size() == args.size();
    for (std::size_t i = 0; same && i < args.size(); ++i) same = Matches(args[i], shown.items[i]);
    return same ? Pass() : shown.described;
  });
}

StepResult CheckSearch(DialogLog& log, const Command& command) {
  const std::string& text = command.args[0].text;
  std::vector<std::string> wanted;
  for (std::size_t i = 1; i < command.args.size() && !command.args[i].Is("empty"); ++i) {
    wanted.push_back(command.args[i].text);
  }
  const std::string what = "search window showing for " + Quoted(text) + ":" + Listed(wanted);
  return CheckOldest(log, DialogKind::Search, what,
                     [&](const ShownDialog& shown, std::size_t) -> StepResult {
                       for (const SearchStep& step : shown.searched) {
                         if (step.text != text) continue;
                         if (step.results == wanted) return Pass();
                         return "for " + Quoted(text) + ":" + Listed(step.results);
                       }
                       return "no such text typed into the " + shown.described;
                     });
}

StepResult CheckCallUpKeyDialog(DialogLog& log) {
  // The dialog's own texts, whichever runner saw it.
  const std::string prompt = "Pelorinを呼び出すキーを押して下さい";
  const std::string caption = "呼び出しキー";
  return CheckOldest(log, DialogKind::CallUpKey,
                     "call-up key dialog " + Quoted(prompt) + " " + Quoted(caption),
                     [&](const ShownDialog& shown, std::size_t) {
                       const bool same = shown.text == prompt && shown.caption == caption;
                       return same ? Pass() : shown.described;
                     });
}

StepResult CheckNoDialog(const DialogLog& log) {
  if (log.Size() == 0) return Pass();
  std::string found = log.At(0).described;
  if (log.Size() > 1) found += " and " + std::to_string(log.Size() - 1) + " more";
  return Expected("no unchecked dialog", found);
}

}  // namespace pelorin::scenario
