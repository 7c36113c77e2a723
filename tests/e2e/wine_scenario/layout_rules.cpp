#include "tests/e2e/wine_scenario/layout_rules.h"

#include <algorithm>

#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

using scenario::ListName;

struct ListGeometry {
  RECT outer{};          // in the main window's client coordinates
  int clientHeight = 0;  // inside the list's border
  int rowHeight = 0;
};

std::optional<ListGeometry> Measure(HWND window, HWND box) {
  ListGeometry geometry;
  RECT client{};
  if (box == nullptr || !::GetWindowRect(box, &geometry.outer) || !::GetClientRect(box, &client)) {
    return std::nullopt;
  }
  ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&geometry.outer), 2);
  geometry.clientHeight = client.bottom - client.top;
  const LRESULT row = Ask(box, LB_GETITEMHEIGHT, 0);
  geometry.rowHeight = row == LB_ERR ? 0 : static_cast<int>(row);
  return geometry;
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

std::string Text(const char* what, int value) { return what + std::to_string(value); }

// Where the lists stand and how they are made.
std::optional<std::string> PlacementViolation(const ListGeometry& list2, const ListGeometry& list3,
                                              int list3Width) {
  const RECT& two = list2.outer;
  const RECT& three = list3.outer;
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
  if (list2.rowHeight > 0 && list2.clientHeight < list2.rowHeight) {
    return Text("List2 shows no row: ", list2.clientHeight) +
           Text(" pixels inside its border, rows of ", list2.rowHeight);
  }
  if (list2.rowHeight <= 0 || list2.clientHeight % list2.rowHeight != 0) {
    return Text("List2 is not made of whole rows: ", list2.clientHeight) +
           Text(" pixels inside its border, rows of ", list2.rowHeight);
  }
  return std::nullopt;
}

// Together the lists fill the client area; a window narrower than List3
// leaves List2 no width. Maximized, the window keeps the screen's height and
// the lists stop at their last whole row.
std::optional<std::string> FillingViolation(const RECT& client, const ListGeometry& list2,
                                            const ListGeometry& list3, int list3Width,
                                            bool maximized) {
  const int clientWidth = Width(client);
  const int together = Width(list2.outer) + Width(list3.outer);
  if (together != std::max(clientWidth, list3Width)) {
    return Text("the lists do not fill the client area's width: together ", together) +
           Text(", the client area ", clientWidth);
  }
  const int spare = Height(client) - Height(list2.outer);
  const bool fills = maximized ? spare >= 0 && spare < list2.rowHeight : spare == 0;
  if (!fills) {
    return Text("the lists do not fill the client area's height: the lists ", Height(list2.outer)) +
           Text(", the client area ", Height(client));
  }
  return std::nullopt;
}

}  // namespace

int List3Width(Program& program) {
  const std::optional<ListGeometry> list3 =
      Measure(program.Window(), program.ListWindow(ListName::List3));
  return list3 ? Width(list3->outer) : 0;
}

std::optional<std::string> LayoutViolation(Program& program, int list3Width) {
  return LayoutViolation(program.Window(), program.ListWindow(ListName::List2),
                         program.ListWindow(ListName::List3), list3Width);
}

std::optional<std::string> LayoutViolation(HWND window, HWND list2Window, HWND list3Window,
                                           int list3Width) {
  if (window == nullptr || !::IsWindowVisible(window) || ::IsIconic(window)) return std::nullopt;
  RECT client{};
  ::GetClientRect(window, &client);
  const std::optional<ListGeometry> list2 = Measure(window, list2Window);
  const std::optional<ListGeometry> list3 = Measure(window, list3Window);
  if (!list2 || !list3) return std::string("the lists cannot be measured");
  const RECT& two = list2->outer;
  const RECT& three = list3->outer;
  Trace(Text("layout: client ", Width(client)) + Text("x", Height(client)) +
        Text(", List2 at ", two.left) + Text(",", two.top) + Text(" ", Width(two)) +
        Text("x", Height(two)) + Text(", List3 at ", three.left) + Text(",", three.top) +
        Text(" ", Width(three)) + Text("x", Height(three)) + Text(", rows of ", list2->rowHeight));
  if (std::optional<std::string> broken = PlacementViolation(*list2, *list3, list3Width)) {
    return broken;
  }
  return FillingViolation(client, *list2, *list3, list3Width, ::IsZoomed(window) != FALSE);
}

}  // namespace pelorin::wine_scenario
