#include "paste/module1.h"

#include "app/form1.h"

namespace pelorin::app {

void CollectWindowTitle(Form1& form, const platform::TopLevelWindow& window) {
  if (!window.visible || window.title.empty()) return;
  platform::Platform& platform = form.platform_;
  platform.ListInsert(ListId::List1, platform.ListCount(ListId::List1), window.title);
  form.titleHandles_.push_back(window.handle);
}

}  // namespace pelorin::app
