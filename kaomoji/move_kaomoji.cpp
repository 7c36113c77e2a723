// Kaomoji one up, one down, to the top: by position, never by text.
#include "app/form1.h"

namespace pelorin::app {

void Form1::MoveKaomojiUp() {
  const int i = platform_.ListSelected(ListId::List2);
  if (i < 1) return;
  const std::string text = platform_.ListText(ListId::List2, i);
  platform_.ListRemove(ListId::List2, i);
  platform_.ListInsert(ListId::List2, i - 1, text);
  MarkKaomojiListChanged();
  Select(ListId::List2, i - 1);
}

void Form1::MoveKaomojiDown() {
  const int i = platform_.ListSelected(ListId::List2);
  if (i < 0 || i >= platform_.ListCount(ListId::List2) - 1) return;
  const std::string text = platform_.ListText(ListId::List2, i);
  platform_.ListRemove(ListId::List2, i);
  platform_.ListInsert(ListId::List2, i + 1, text);
  MarkKaomojiListChanged();
  Select(ListId::List2, i + 1);
}

void Form1::MoveKaomojiToTop() {
  const int i = platform_.ListSelected(ListId::List2);
  if (i < 0) return;
  const std::string text = platform_.ListText(ListId::List2, i);
  platform_.ListInsert(ListId::List2, 0, text);
  // The insert moved the selected entry one place down with it.
  platform_.ListRemove(ListId::List2, platform_.ListSelected(ListId::List2));
  if (i > 0) MarkKaomojiListChanged();
  Select(ListId::List2, 0);
}

}  // namespace pelorin::app
