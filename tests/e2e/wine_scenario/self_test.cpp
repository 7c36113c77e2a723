#include "tests/e2e/wine_scenario/self_test.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/wine_scenario/layout_rules.h"

namespace pelorin::wine_scenario {
namespace {

constexpr int kList3Width = 81;
constexpr int kRows = 5;

struct Case {
  const char* name;
  std::function<bool()> holds;
};

// A window of its own with two list boxes laid out as the program lays out
// its lists; each case moves one thing and the rules must notice.
class FakeWindow {
 public:
  FakeWindow() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    window_ = ::CreateWindowExW(0, L"STATIC", L"layout check", WS_OVERLAPPEDWINDOW, 40, 40, 400,
                                300, nullptr, nullptr, instance, nullptr);
    for (HWND* list : {&list2_, &list3_}) {
      *list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 10,
                                10, window_, nullptr, instance, nullptr);
    }
    ::ShowWindow(window_, SW_SHOWNA);
  }
  ~FakeWindow() { ::DestroyWindow(window_); }
  FakeWindow(const FakeWindow&) = delete;
  FakeWindow& operator=(const FakeWindow&) = delete;

  // The lists as the layout leaves them, then one change made by `change`.
  std::optional<std::string> Check(const std::function<void(HWND, HWND, int, int)>& change) {
    RECT outer{};
    RECT client{};
    ::GetWindowRect(list2_, &outer);
    ::GetClientRect(list2_, &client);
    const int border = (outer.bottom - outer.top) - (client.bottom - client.top);
    const int row = static_cast<int>(::SendMessageW(list2_, LB_GETITEMHEIGHT, 0, 0));
    const int height = border + kRows * row;
    RECT frame{0, 0, 300, height};
    ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::MoveWindow(list2_, 0, 0, 300 - kList3Width, height, TRUE);
    ::MoveWindow(list3_, 300 - kList3Width, 0, kList3Width, height, TRUE);
    change(list2_, list3_, height, row);
    return LayoutViolation(window_, list2_, list3_, kList3Width);
  }

 private:
  HWND window_ = nullptr;
  HWND list2_ = nullptr;
  HWND list3_ = nullptr;
};

std::vector<Case> LayoutCases(FakeWindow& fake) {
  const int left = 300 - kList3Width;
  auto holds = [&fake](std::function<void(HWND, HWND, int, int)> change) {
    return !fake.Check(change).has_value();
  };
  return {
      {"the layout's rules hold for lists laid out as the layout does",
       [=] { return holds([](HWND, HWND, int, int) {}); }},
      {"List2 away from the left edge breaks the rules",
       [=] {
         return !holds(
             [=](HWND two, HWND, int h, int) { ::MoveWindow(two, 1, 0, left - 1, h, TRUE); });
       }},
      {"a gap between the lists breaks the rules",
       [=] {
         return !holds(
             [=](HWND two, HWND, int h, int) { ::MoveWindow(two, 0, 0, left - 2, h, TRUE); });
       }},
      {"List3 of another width breaks the rules",
       [=] {
         return !holds([=](HWND, HWND three, int h, int) {
           ::MoveWindow(three, left, 0, kList3Width - 1, h, TRUE);
         });
       }},
      {"lists of two heights break the rules",
       [=] {
         return !holds([=](HWND, HWND three, int h, int row) {
           ::MoveWindow(three, left, 0, kList3Width, h - row, TRUE);
         });
       }},
      {"a part of a row breaks the rules",
       [=] {
         return !holds([=](HWND two, HWND three, int h, int) {
           ::MoveWindow(two, 0, 0, left, h - 1, TRUE);
           ::MoveWindow(three, left, 0, kList3Width, h - 1, TRUE);
         });
       }},
      {"lists a row short of the client area break the rules",
       [=] {
         return !holds([=](HWND two, HWND three, int h, int row) {
           ::MoveWindow(two, 0, 0, left, h - row, TRUE);
           ::MoveWindow(three, left, 0, kList3Width, h - row, TRUE);
         });
       }},
  };
}

}  // namespace

int RunSelfTest(std::ostream& out) {
  FakeWindow fake;
  const std::vector<Case> cases = LayoutCases(fake);
  int failed = 0;
  for (const Case& check : cases) {
    const bool holds = check.holds();
    failed += holds ? 0 : 1;
    out << (holds ? "PASS " : "FAIL ") << check.name << std::endl;
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace pelorin::wine_scenario
