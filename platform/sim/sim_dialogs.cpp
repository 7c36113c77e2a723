// The modal dialogs and context menus of the simulation (sim_dialogs.h).
#include <algorithm>
#include <cstdio>

#include "platform/sim/scenario_quote.h"
#include "platform/sim/sim_metrics.h"
#include "platform/sim/sim_platform.h"

namespace pelorin::sim {
namespace {

std::string FormatTwips(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
  return buffer;
}

// Buttons of MsgBox flags (low four bits) that include a Cancel button.
bool HasCancelButton(int flags) {
  int buttons = flags & 0xF;
  return buttons == 1 || buttons == 3 || buttons == 5;
}

SearchShown Snapshot(const std::string& text, const platform::SearchSource& source) {
  SearchShown shown{text, {}, source.StatusLines()};
  for (int i = 0; i < source.ResultCount(); ++i) {
    shown.results.push_back(source.ResultKaomoji(i));
    shown.results.push_back(source.ResultCategory(i));
  }
  return shown;
}

// The length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

}  // namespace

std::string DialogRecord::Describe() const {
  std::string described;
  switch (kind) {
    case DialogKind::MsgBox:
      return "message box " + Quote(text) + " " + Quote(caption) + " " + std::to_string(flags);
    case DialogKind::InputBox:
      return "input box " + Quote(text) + " " + Quote(caption) + " " + Quote(defaultText) + " at " +
             FormatTwips(left) + " " + FormatTwips(top);
    case DialogKind::Popup:
      described = "context menu";
      for (const std::string& item : items)
        described.append(" ").append(item == "-" ? item : Quote(item));
      return described;
    case DialogKind::Search:
      described = "search window";
      if (searched.empty()) return described;
      described += " showing for " + Quote(searched.back().text) + ":";
      if (searched.back().results.empty()) described += " nothing";
      for (const std::string& word : searched.back().results)
        described.append(" ").append(Quote(word));
      return described;
    case DialogKind::CallUpKey:
      break;
  }
  return "call-up key dialog " + Quote(text) + " " + Quote(caption);
}

DialogRecord& SimPlatform::Show(DialogKind kind, const std::string& text,
                                const std::string& caption) {
  DialogRecord& shown = dialogs_.emplace_back();
  shown.kind = kind;
  shown.text = text;
  shown.caption = caption.empty() ? std::string(kApplicationTitle) : caption;
  shown.operationsBefore = files_.OperationCount();
  return shown;
}

std::optional<Answer> SimPlatform::TakeAnswer(const DialogRecord& shown, AnswerKind first,
                                              AnswerKind last) {
  if (answers_.empty()) {
    failures_.push_back("unexpected dialog: " + shown.Describe());
    return std::nullopt;
  }
  if (answers_.front().kind < first || answers_.front().kind > last) {
    failures_.push_back("unexpected dialog: " + shown.Describe() + " (the next answer is " +
                        DescribeAnswer(answers_.front().kind, answers_.front().text) + ")");
    return std::nullopt;
  }
  Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

int SimPlatform::MsgBox(const std::string& text, int flags, const std::string& caption) {
  DialogRecord& shown = Show(DialogKind::MsgBox, text, caption);
  shown.flags = flags;
  std::optional<Answer> answer = TakeAnswer(shown, AnswerKind::MsgBoxOk, AnswerKind::MsgBoxCancel);
  if (!answer) return HasCancelButton(flags) ? platform::kMsgBoxCancel : platform::kMsgBoxOk;
  if (answer->kind == AnswerKind::MsgBoxCancel) {
    if (HasCancelButton(flags)) return platform::kMsgBoxCancel;
    failures_.push_back("answer msgbox cancel: the " + shown.Describe() + " has no Cancel button");
  }
  return platform::kMsgBoxOk;
}

std::optional<std::string> SimPlatform::InputBox(const std::string& prompt,
                                                 const std::string& caption,
                                                 const std::string& defaultText, float left,
                                                 float top) {
  DialogRecord& shown = Show(DialogKind::InputBox, prompt, caption);
  shown.defaultText = defaultText;
  shown.left = left;
  shown.top = top;
  std::optional<Answer> answer = TakeAnswer(shown, AnswerKind::InputText, AnswerKind::InputCancel);
  if (!answer || answer->kind == AnswerKind::InputCancel) return std::nullopt;
  return answer->kind == AnswerKind::InputText ? answer->text : defaultText;
}

std::optional<platform::MenuItemId> SimPlatform::PopupMenu(platform::MenuItemId popup) {
  DialogRecord& shown = Show(DialogKind::Popup, "", "");
  const std::vector<platform::MenuItemId> items = menus_.VisibleChildren(popup);
  for (platform::MenuItemId item : items) {
    shown.items.push_back(menus_.Entry(item).separator ? "-" : menus_.Caption(item));
  }
  std::optional<Answer> answer = TakeAnswer(shown, AnswerKind::PopupItem, AnswerKind::PopupDismiss);
  if (!answer || answer->kind == AnswerKind::PopupDismiss) return std::nullopt;
  for (platform::MenuItemId item : items) {
    if (item == answer->item && !menus_.Entry(item).separator) return item;
  }
  failures_.push_back("answer popup " + answer->text + ": not among the visible items of the " +
                      shown.Describe());
  return std::nullopt;
}

// Types the answer's text one character at a time, recording what each text
// showed, then chooses or cancels.
std::optional<platform::SearchChoice> SimPlatform::SearchWindow(const std::string& caption,
                                                                platform::SearchSource& source) {
  DialogRecord& shown = Show(DialogKind::Search, "", caption);
  source.SetText("");
  shown.searched.push_back(Snapshot("", source));
  std::optional<Answer> answer =
      TakeAnswer(shown, AnswerKind::SearchChoose, AnswerKind::SearchCancel);
  if (!answer) return std::nullopt;
  const std::string& typed = answer->text;
  for (std::size_t end = 0; end < typed.size();) {
    end = std::min(typed.size(), end + SequenceLength(static_cast<unsigned char>(typed[end])));
    source.SetText(typed.substr(0, end));
    shown.searched.push_back(Snapshot(typed.substr(0, end), source));
  }
  if (answer->kind == AnswerKind::SearchCancel) return std::nullopt;
  if (answer->result >= source.ResultCount()) {
    failures_.push_back(DescribeAnswer(answer->kind, typed, answer->result, answer->shift) +
                        ": the " + shown.Describe() + " has no result " +
                        std::to_string(answer->result));
    return std::nullopt;
  }
  return platform::SearchChoice{answer->result, answer->shift ? 1 : 0};
}

// Takes answers until one closes the dialog: OK with a key the program
// refuses keeps it open for the next answer. Logged once, however many
// answers it takes.
void SimPlatform::CallUpKeyDialog(
    const platform::CallUpKeyDialogTexts& texts, const std::optional<platform::KeyCombination>&,
    const std::function<bool(const std::optional<platform::KeyCombination>&)>& confirm) {
  const DialogRecord shown = Show(DialogKind::CallUpKey, texts.prompt, texts.caption);
  for (;;) {
    std::optional<Answer> answer =
        TakeAnswer(shown, AnswerKind::CallUpKeyOk, AnswerKind::CallUpKeyCancel);
    if (!answer || answer->kind == AnswerKind::CallUpKeyCancel) return;
    std::optional<platform::KeyCombination> key;
    if (answer->kind == AnswerKind::CallUpKeyOk) key = answer->key;
    if (confirm(key)) return;
    if (!key) {
      failures_.push_back("answer hotkey none: the call-up key dialog stayed open");
      return;
    }
  }
}

}  // namespace pelorin::sim
