// How the kaomoji list answers the user: tooltip, keys, context menu, and the
// items the 編集 menu offers each time it opens.
#include "app/form1.h"
#include "app/key_codes.h"

namespace pelorin::app {

namespace {
constexpr int kRightButton = 2;
}  // namespace

void Form1::KaomojiClick() {
  const int i = platform_.ListSelected(ListId::List2);
  platform_.SetToolTip(i >= 0 ? platform_.ListText(ListId::List2, i) : "");
}

void Form1::KaomojiLostFocus() { platform_.SetToolTip(""); }

void Form1::KaomojiKeyDown(int keyCode, int shift) {
  LastShift_ = static_cast<std::int16_t>(shift);
  if (keyCode == kKeyEnter) {
    Paste();
    return;
  }
  if (shift != kShiftOnly) return;
  // The offsetting selection: the list's own arrow handling follows and
  // lands on the moved kaomoji.
  const int count = platform_.ListCount(ListId::List2);
  if (keyCode == kKeyUp) {
    MoveKaomojiUp();
    const int s = platform_.ListSelected(ListId::List2);
    if (s + 1 >= 0 && s + 1 < count) Select(ListId::List2, s + 1);
  } else if (keyCode == kKeyDown) {
    MoveKaomojiDown();
    const int s = platform_.ListSelected(ListId::List2);
    if (s >= 0 && s - 1 >= 0) Select(ListId::List2, s - 1);
  }
}

void Form1::KaomojiMouseUp(int button) {
  if (button != kRightButton) return;
  const bool selected = platform_.ListSelected(ListId::List2) >= 0;
  for (MenuItem item : {ID_EDIT_K_C, ID_DEL_K_C, ID_UP_K_C, ID_DOWN_K_C, ID_TOP_K_C}) {
    platform_.SetMenuVisible(item, selected);
  }
  if (auto chosen = ShowPopup(ID_CLICK2)) OnMenuClick(*chosen);
}

void Form1::OpenEditMenu() {
  const bool selected = platform_.ListSelected(ListId::List2) >= 0;
  for (MenuItem item : {ID_UP_K, ID_DOWN_K, ID_TOP_K, ID_DEL_K, ID_EDIT_K}) {
    platform_.SetMenuVisible(item, selected);
  }
}

}  // namespace pelorin::app
