// pelorin-wine-scenario --self-test (layout_rules.h): a window of the
// runner's own with two list boxes laid out as the program lays out its
// lists; each case moves them one way and the rules must notice.
#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

#include "tests/e2e/wine_scenario/layout_rules.h"

namespace pelorin::wine_scenario {
namespace {

constexpr int kWidth = 300;
constexpr int kList3Width = 81;
constexpr int kRows = 5;

// The lists' rectangles in the window's client area, and their row height.
struct Lists {
  RECT two;
  RECT three;
  int row;
};

struct Case {
  const char* name;
  void (*change)(Lists&);
};

const Case kBreaking[] = {
    {"List2 away from the left edge breaks the rules", [](Lists& l) { l.two.left = 1; }},
    {"a gap between the lists breaks the rules", [](Lists& l) { l.two.right -= 2; }},
    {"List3 of another width breaks the rules", [](Lists& l) { l.three.right -= 1; }},
    {"lists of two heights break the rules", [](Lists& l) { l.three.bottom -= l.row; }},
    {"a part of a row breaks the rules",
     [](Lists& l) {
       l.two.bottom -= 1;
       l.three.bottom -= 1;
     }},
    {"lists a row short of the client area break the rules",
     [](Lists& l) {
       l.two.bottom -= l.row;
       l.three.bottom -= l.row;
     }},
};

}  // namespace

int RunSelfTest(std::ostream& out) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&::DestroyWindow)> window(
      ::CreateWindowExW(0, L"STATIC", L"layout check", WS_OVERLAPPEDWINDOW, 40, 40, 400, 300,
                        nullptr, nullptr, instance, nullptr),
      &::DestroyWindow);
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
  const int height = (outer.bottom - outer.top) - (client.bottom - client.top) + kRows * row;
  RECT frame{0, 0, kWidth, height};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  ::SetWindowPos(window.get(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int left = kWidth - kList3Width;
  const Lists laidOut{{0, 0, left, height}, {left, 0, kWidth, height}, row};
  int failed = 0;
  auto check = [&](const char* name, void (*change)(Lists&)) {
    Lists lists = laidOut;
    if (change != nullptr) change(lists);
    for (const auto& [box, rect] : {std::pair{boxes[0], lists.two}, {boxes[1], lists.three}}) {
      ::MoveWindow(box, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    }
    const bool holds = !LayoutViolation(window.get(), boxes[0], boxes[1], kList3Width);
    const bool right = holds == (change == nullptr);
    failed += right ? 0 : 1;
    out << (right ? "PASS " : "FAIL ") << name << std::endl;
  };
  check("the layout's rules hold for lists laid out as the layout does", nullptr);
  for (const Case& broken : kBreaking) check(broken.name, broken.change);
  return failed == 0 ? 0 : 1;
}

}  // namespace pelorin::wine_scenario
