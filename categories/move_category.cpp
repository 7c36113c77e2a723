// Moving categories: one up, one down, to the top. Each move inserts a copy
// of the name at the target and removes the old entry, then selects it.
#include "app/form1.h"

namespace pelorin::app {

void Form1::MoveCategoryUp() {
  const int p = platform_.ListSelected(ListId::List3);
  if (p < 1) return;
  const std::string name = platform_.ListText(ListId::List3, p);
  platform_.ListInsert(ListId::List3, p - 1, name);
  platform_.ListRemove(ListId::List3, p + 1);
  Select(ListId::List3, p - 1);
}

void Form1::MoveCategoryDown() {
  const int p = platform_.ListSelected(ListId::List3);
  const int n = platform_.ListCount(ListId::List3);
  if (p < 0 || p >= n - 1) return;
  const std::string name = platform_.ListText(ListId::List3, p);
  platform_.ListInsert(ListId::List3, p + 2, name);
  platform_.ListRemove(ListId::List3, p);
  Select(ListId::List3, p + 1);
}

void Form1::MoveCategoryToTop() {
  const int p = platform_.ListSelected(ListId::List3);
  if (p < 0) return;
  const std::string name = platform_.ListText(ListId::List3, p);
  platform_.ListInsert(ListId::List3, 0, name);
  platform_.ListRemove(ListId::List3, p + 1);
  Select(ListId::List3, 0);
  SaveCategoryList();
}

}  // namespace pelorin::app
