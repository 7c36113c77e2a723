// The category list's keys (Shift+Up, Shift+Down) and its context menu.
#include "app/form1.h"
#include "app/key_codes.h"

namespace pelorin::app {

namespace {
constexpr int kRightButton = 2;
}  // namespace

void Form1::CategoryKeyDown(int keyCode, int shift) {
  LastShift_ = static_cast<std::int16_t>(shift);
  if (shift != kShiftOnly) return;
  // The selection set here lies one place against the key's direction, so
  // that the list's own arrow handling, which follows, lands on the moved
  // category again.
  if (keyCode == kKeyUp) {
    MoveCategoryUp();
    const int q = platform_.ListSelected(ListId::List3);
    if (q + 1 < platform_.ListCount(ListId::List3)) Select(ListId::List3, q + 1);
  } else if (keyCode == kKeyDown) {
    MoveCategoryDown();
    const int q = platform_.ListSelected(ListId::List3);
    if (q - 1 >= 0) Select(ListId::List3, q - 1);
  }
}

void Form1::CategoryMouseUp(int button) {
  if (button != kRightButton) return;
  if (auto chosen = ShowPopup(ID_CLICK)) OnMenuClick(*chosen);
}

}  // namespace pelorin::app
