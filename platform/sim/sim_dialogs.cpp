#include "platform/sim/sim_dialogs.h"

#include <algorithm>
#include <cstdio>

#include "platform/sim/sim_metrics.h"

namespace pelorin::sim {
namespace {

std::string ShownCaption(const std::string& caption) {
  return caption.empty() ? std::string(kApplicationTitle) : caption;
}

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

}  // namespace

std::string DialogRecord::Describe() const {
  switch (kind) {
    case DialogKind::MsgBox:
      return "message box " + Quote(text) + " " + Quote(caption) + " " + std::to_string(flags);
    case DialogKind::InputBox:
      return "input box " + Quote(text) + " " + Quote(caption) + " " + Quote(defaultText) + " at " +
             FormatTwips(left) + " " + FormatTwips(top);
    case DialogKind::Popup: {
      std::string described = "context menu";
      for (const std::string& item : items) described += " " + (item == "-" ? item : Quote(item));
      return described;
    }
    case DialogKind::Search: {
      std::string described = "search window";
      if (searched.empty()) return described;
      described += " showing for " + Quote(searched.back().text) + ":";
      if (searched.back().results.empty()) described += " nothing";
      for (const std::string& word : searched.back().results) described += " " + Quote(word);
      return described;
    }
    case DialogKind::CallUpKey:
      return "call-up key dialog " + Quote(text) + " " + Quote(caption);
  }
  return "a dialog";
}

std::optional<Answer> SimDialogs::Take(const DialogRecord& shown, AnswerKind first,
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

int SimDialogs::MsgBox(const std::string& text, int flags, const std::string& caption) {
  DialogRecord record{DialogKind::MsgBox, text, ShownCaption(caption), flags, {}, 0, 0, {}, 0, {}};
  log_.push_back(record);
  std::optional<Answer> answer = Take(record, AnswerKind::MsgBoxOk, AnswerKind::MsgBoxCancel);
  if (!answer) return HasCancelButton(flags) ? platform::kMsgBoxCancel : platform::kMsgBoxOk;
  if (answer->kind == AnswerKind::MsgBoxCancel) {
    if (HasCancelButton(flags)) return platform::kMsgBoxCancel;
    failures_.push_back("answer msgbox cancel: the " + record.Describe() + " has no Cancel button");
  }
  return platform::kMsgBoxOk;
}

std::optional<std::string> SimDialogs::InputBox(const std::string& prompt,
                                                const std::string& caption,
                                                const std::string& defaultText, float left,
                                                float top) {
  DialogRecord record{
      DialogKind::InputBox, prompt, ShownCaption(caption), 0, defaultText, left, top, {}, 0, {}};
  log_.push_back(record);
  std::optional<Answer> answer = Take(record, AnswerKind::InputText, AnswerKind::InputCancel);
  if (!answer || answer->kind == AnswerKind::InputCancel) return std::nullopt;
  return answer->kind == AnswerKind::InputText ? answer->text : defaultText;
}

std::optional<platform::MenuItemId> SimDialogs::Popup(platform::MenuItemId popup,
                                                      const SimMenus& menus) {
  DialogRecord record;
  record.kind = DialogKind::Popup;
  std::vector<platform::MenuItemId> shown = menus.VisibleChildren(popup);
  for (platform::MenuItemId item : shown) {
    record.items.push_back(menus.Entry(item).separator ? "-" : menus.Caption(item));
  }
  log_.push_back(record);
  std::optional<Answer> answer = Take(record, AnswerKind::PopupItem, AnswerKind::PopupDismiss);
  if (!answer || answer->kind == AnswerKind::PopupDismiss) return std::nullopt;
  for (platform::MenuItemId item : shown) {
    if (item == answer->item && !menus.Entry(item).separator) return item;
  }
  failures_.push_back("answer popup " + answer->text + ": not among the visible items of the " +
                      record.Describe());
  return std::nullopt;
}

namespace {

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

std::optional<platform::SearchChoice> SimDialogs::Search(const std::string& caption,
                                                         platform::SearchSource& source) {
  DialogRecord record;
  record.kind = DialogKind::Search;
  record.caption = caption;
  source.SetText("");
  record.searched.push_back(Snapshot("", source));
  log_.push_back(record);
  std::optional<Answer> answer = Take(log_.back(), AnswerKind::SearchChoose, AnswerKind::SearchCancel);
  if (!answer) return std::nullopt;
  const std::string& typed = answer->text;
  for (std::size_t end = 0; end < typed.size();) {
    end = std::min(typed.size(), end + SequenceLength(static_cast<unsigned char>(typed[end])));
    source.SetText(typed.substr(0, end));
    log_.back().searched.push_back(Snapshot(typed.substr(0, end), source));
  }
  if (answer->kind == AnswerKind::SearchCancel) return std::nullopt;
  if (answer->result >= source.ResultCount()) {
    failures_.push_back(DescribeAnswer(answer->kind, typed, answer->result, answer->shift) +
                        ": the " + log_.back().Describe() + " has no result " +
                        std::to_string(answer->result));
    return std::nullopt;
  }
  return platform::SearchChoice{answer->result, answer->shift ? 1 : 0};
}

void SimDialogs::CallUpKey(
    const platform::CallUpKeyDialogTexts& texts,
    const std::function<bool(const std::optional<platform::KeyCombination>&)>& confirm) {
  DialogRecord record;
  record.kind = DialogKind::CallUpKey;
  record.text = texts.prompt;
  record.caption = texts.caption;
  log_.push_back(record);
  // Logged once, however many answers it takes.
  for (;;) {
    std::optional<Answer> answer = Take(record, AnswerKind::CallUpKeyOk, AnswerKind::CallUpKeyCancel);
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

std::vector<std::string> SimDialogs::TakeFailures() {
  std::vector<std::string> taken;
  taken.swap(failures_);
  return taken;
}

}  // namespace pelorin::sim
