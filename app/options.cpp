// The two window options: menu bar shown, always on top. Each option is the
// check mark of its menu item; the context-menu twin is kept equal to it.
#include "app/form1.h"

namespace pelorin::app {

void Form1::ClickMenuOption() {
  const bool show = !platform_.MenuChecked(ID_MENU);
  platform_.SetMenuChecked(ID_MENU, show);
  platform_.SetMenuChecked(ID_MENU_C, show);
  for (MenuItem menu : kBarMenus) SetMenuVisible(menu, show);
}

void Form1::ClickMenuOptionTwin() {
  platform_.SetMenuChecked(ID_MENU, platform_.MenuChecked(ID_MENU_C));
  ClickMenuOption();
}

void Form1::ClickAlwaysOnTop() {
  const bool topmost = !platform_.MenuChecked(ID_FLONT);
  platform_.SetMenuChecked(ID_FLONT, topmost);
  platform_.SetMenuChecked(ID_FLONT_C, topmost);
  platform_.SetTopmost(topmost);
}

void Form1::ClickAlwaysOnTopTwin() {
  platform_.SetMenuChecked(ID_FLONT, platform_.MenuChecked(ID_FLONT_C));
  ClickAlwaysOnTop();
}

}  // namespace pelorin::app
