// The two visible lists fill the window, and the window's height snaps to the
// whole rows the lists really take. The allowances are the window's frame and
// menu-bar sizes as the platform reports them (110, 640 and 360 on the
// platform the program was first made for).
#include <algorithm>

#include "app/form1.h"

namespace pelorin::app {

using platform::Rect;

void Form1::Layout() {
  const Rect window = platform_.WindowRect();
  const platform::FrameSizes frame = platform_.GetFrameSizes();
  const bool bar = MenuBarShown();

  Rect list2 = platform_.ListRect(ListId::List2);
  Rect list3 = platform_.ListRect(ListId::List3);

  // A window narrower than List3 and its frame gets the smallest List2.
  list2.width = std::max(0.0f, window.width - list3.width - frame.width);
  platform_.SetListRect(ListId::List2, list2);
  list2 = platform_.ListRect(ListId::List2);
  list3.left = list2.width;
  platform_.SetListRect(ListId::List3, list3);

  const bool normal = platform_.GetWindowState() == platform::WindowState::Normal;
  const float threshold = frame.heightWithMenuBar + 50;
  // Without the bar the lists ask for 100 twips more than the client area;
  // in the normal state the window then snaps to them below. Minimized or
  // maximized, nothing snaps, so the lists take the client area's height and
  // end inside it.
  const float hiddenAllowance =
      normal ? frame.heightWithoutMenuBar - 100 : frame.heightWithoutMenuBar;
  float height = 1;
  if (bar && window.height > threshold) height = window.height - frame.heightWithMenuBar;
  if (!bar) height = window.height - hiddenAllowance;
  // Without the bar a very low window would ask for no list at all.
  list2.height = std::max(1.0f, height);
  platform_.SetListRect(ListId::List2, list2);
  list2 = platform_.ListRect(ListId::List2);
  list3 = platform_.ListRect(ListId::List3);
  list3.height = list2.height;
  platform_.SetListRect(ListId::List3, list3);

  if (!normal) return;
  Rect snapped = platform_.WindowRect();
  snapped.height =
      list2.height + (bar ? frame.heightWithMenuBar : frame.heightWithoutMenuBar);
  SetWindowRect(snapped);
}

}  // namespace pelorin::app
