// Add, rewrite and delete kaomoji. They change only List2; the file catches
// up at the next category selection or at shutdown.
#include "app/form1.h"
#include "app/messages.h"
#include "categories/category_names.h"
#include "kaomoji/kaomoji_messages.h"

namespace pelorin::app {

namespace {
bool HoldsLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}
}  // namespace

void Form1::AddKaomoji() {
  if (platform_.ListCount(ListId::List3) == 0) {
    Message(messages::kAddCategoryFirst, messages::kCritical, messages::kWarningCaption);
    return;
  }
  const platform::Rect window = platform_.WindowRect();
  const std::string text =
      AskInput(kaomoji::kAddPrompt, kaomoji::kAddCaption, "", window.left, window.top)
          .value_or("");
  if (categories::IsBlank(text)) return;
  if (HoldsLineBreak(text)) {
    Message(kaomoji::kLineBreakRefused);
    return;
  }
  platform_.ListInsert(ListId::List2, 0, text);
  MarkKaomojiListChanged();
}

void Form1::RewriteKaomoji() {
  const int i = platform_.ListSelected(ListId::List2);
  if (i < 0) return;
  const std::string old = platform_.ListText(ListId::List2, i);
  const platform::Rect window = platform_.WindowRect();
  const std::string text = AskInput(kaomoji::kRewritePrompt, kaomoji::kRewriteCaption,
                                              old, window.left, window.top)
                               .value_or("");
  if (categories::IsBlank(text)) return;
  if (HoldsLineBreak(text)) {
    Message(kaomoji::kLineBreakRefused);
    return;
  }
  platform_.ListRemove(ListId::List2, i);
  platform_.ListInsert(ListId::List2, i, text);
  MarkKaomojiListChanged();
}

void Form1::DeleteKaomoji() {
  const int i = platform_.ListSelected(ListId::List2);
  if (i < 0) return;
  const std::string text = platform_.ListText(ListId::List2, i);
  if (Message(text + messages::kDeleteQuestion, messages::kOkCancel, kaomoji::kDeleteCaption) !=
      platform::kMsgBoxOk) {
    return;
  }
  platform_.ListRemove(ListId::List2, i);
  MarkKaomojiListChanged();
}

}  // namespace pelorin::app
