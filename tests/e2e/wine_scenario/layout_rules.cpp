#include "tests/e2e/wine_scenario/layout_rules.h"

#include <algorithm>
#include <utility>

#include "platform/win32/unique.h"
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

// The self-test: a window of the runner's own with two list boxes, laid out
// as the program lays out its lists, kRows rows high; the rules must notice
// every change.
constexpr int kWidth = 300;
constexpr int kList3Width = 81;
constexpr int kRows = 5;

// The lists' rectangles in the window's client area, and their row height.
struct Lists {
  RECT two;
  RECT three;
  int row;
};

// Each case moves them one way (the first leaves them as they are; both
// lists start as tall as each other).
const std::pair<const char*, void (*)(Lists&)> kCases[] = {
    {"the layout's rules hold for lists laid out as the layout does", nullptr},
    {"List2 away from the left edge breaks the rules", [](Lists& l) { l.two.left = 1; }},
    {"a gap between the lists breaks the rules", [](Lists& l) { l.two.right -= 2; }},
    {"List3 of another width breaks the rules", [](Lists& l) { l.three.right -= 1; }},
    {"lists of two heights break the rules", [](Lists& l) { l.three.bottom -= l.row; }},
    {"a part of a row breaks the rules", [](Lists& l) { l.two.bottom = l.three.bottom -= 1; }},
    {"lists a row short of the client area break the rules",
     [](Lists& l) { l.two.bottom = l.three.bottom -= l.row; }},
};

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

int RunSelfTest(std::ostream& out) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const platform::win32::UniqueWindow window(
      ::CreateWindowExW(0, L"STATIC", L"layout check", WS_OVERLAPPEDWINDOW, 40, 40, 400, 300,
                        nullptr, nullptr, instance, nullptr));
  HWND boxes[2] = {};
  for (HWND& box : boxes) {
    box = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 10, 10,
                            window.get(), nullptr, instance, nullptr);
  }
  ::ShowWindow(window.get(), SW_SHOWNA);
  // As the layout leaves them: whole rows that fill the client area.
  RECT outer{};
  RECT client{};
  ::GetWindowRect(boxes[0], &outer);
  ::GetClientRect(boxes[0], &client);
  const int row = static_cast<int>(::SendMessageW(boxes[0], LB_GETITEMHEIGHT, 0, 0));
  const int height = Height(outer) - Height(client) + kRows * row;
  RECT frame{0, 0, kWidth, height};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  ::SetWindowPos(window.get(), nullptr, 0, 0, Width(frame), Height(frame),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int left = kWidth - kList3Width;
  const Lists laidOut{{0, 0, left, height}, {left, 0, kWidth, height}, row};
  int failed = 0;
  for (const auto& [name, change] : kCases) {
    Lists lists = laidOut;
    if (change != nullptr) change(lists);
    for (const auto& [box, rect] : {std::pair{boxes[0], lists.two}, {boxes[1], lists.three}}) {
      ::MoveWindow(box, rect.left, rect.top, Width(rect), Height(rect), TRUE);
    }
    const bool holds = !LayoutViolation(window.get(), boxes[0], boxes[1], kList3Width);
    const bool right = holds == (change == nullptr);
    failed += right ? 0 : 1;
    out << (right ? "PASS " : "FAIL ") << name << std::endl;
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace pelorin::wine_scenario
