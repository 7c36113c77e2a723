#include "platform/sim/sim_dialogs.h"

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
  DialogRecord record{DialogKind::MsgBox, text, ShownCaption(caption), flags, {}, 0, 0, {}, 0};
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
      DialogKind::InputBox, prompt, ShownCaption(caption), 0, defaultText, left, top, {}, 0};
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
    const platform::MenuEntry& entry = menus.Entry(item);
    record.items.push_back(entry.separator ? "-" : entry.caption);
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

std::vector<std::string> SimDialogs::TakeFailures() {
  std::vector<std::string> taken;
  taken.swap(failures_);
  return taken;
}

}  // namespace pelorin::sim
