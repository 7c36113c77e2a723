#include "tests/e2e/wine_scenario/layout_rules.h"

#include <algorithm>

#include "tests/e2e/desktop.h"

namespace pelorin::wine_scenario {
namespace {

struct ListGeometry {
  RECT outer{};          // in the main window's client coordinates
  int clientHeight = 0;  // inside the list's border
  int rowHeight = 0;
};

bool Measure(HWND window, HWND box, ListGeometry& geometry) {
  RECT client{};
  if (box == nullptr || !::GetWindowRect(box, &geometry.outer) || !::GetClientRect(box, &client)) {
    return false;
  }
  ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&geometry.outer), 2);
  geometry.clientHeight = client.bottom - client.top;
  const LRESULT row = e2e::Ask(box, LB_GETITEMHEIGHT);
  geometry.rowHeight = row == LB_ERR ? 0 : static_cast<int>(row);
  return true;
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

std::string Text(const char* what, int value) { return what + std::to_string(value); }

}  // namespace

std::optional<std::string> LayoutViolation(HWND window, HWND list2Window, HWND list3Window,
                                           int list3Width) {
  if (window == nullptr || !::IsWindowVisible(window) || ::IsIconic(window)) return std::nullopt;
  RECT client{};
  ::GetClientRect(window, &client);
  ListGeometry list2;
  ListGeometry list3;
  if (!Measure(window, list2Window, list2) || !Measure(window, list3Window, list3)) {
    return "the lists cannot be measured";
  }
  const RECT& two = list2.outer;
  const RECT& three = list3.outer;
  const int row = list2.rowHeight;
  if (two.left != 0 || two.top != 0) {
    return Text("List2 is not at the left edge: it stands at x ", two.left) + Text(", y ", two.top);
  }
  if (three.left != two.right || three.top != two.top) {
    return Text("List3 does not start where List2 ends: List2 ends at x ", two.right) +
           Text(", List3 starts at x ", three.left) + Text(", y ", three.top);
  }
  if (Width(three) != list3Width) {
    return Text("List3 did not keep its width: it is ", Width(three)) +
           Text(" pixels wide, it was ", list3Width);
  }
  if (Height(two) != Height(three)) {
    return Text("the lists are not as tall as each other: List2 ", Height(two)) +
           Text(", List3 ", Height(three));
  }
  if (row <= 0 || list2.clientHeight < row || list2.clientHeight % row != 0) {
    return Text("List2 is not made of whole rows: ", list2.clientHeight) +
           Text(" pixels inside its border, rows of ", row);
  }
  // Together the lists fill the client area; a window narrower than List3
  // leaves List2 no width. Maximized, the window keeps the screen's height and
  // the lists stop at their last whole row.
  const int together = Width(two) + Width(three);
  if (together != std::max(Width(client), list3Width)) {
    return Text("the lists do not fill the client area's width: together ", together) +
           Text(", the client area ", Width(client));
  }
  const int spare = Height(client) - Height(two);
  if (::IsZoomed(window) ? spare < 0 || spare >= row : spare != 0) {
    return Text("the lists do not fill the client area's height: the lists ", Height(two)) +
           Text(", the client area ", Height(client));
  }
  return std::nullopt;
}

}  // namespace pelorin::wine_scenario
