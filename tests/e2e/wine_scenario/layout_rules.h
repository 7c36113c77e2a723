#pragma once
// The layout's rules, checked on the real window after every action: List2
// at the left edge, List3 starting where List2 ends and keeping its width,
// both as tall as each other, made of whole rows and filling the client area.
// The real frame, menu bar and rows differ from the simulated metrics, so the
// rules are checked instead of the simulation's numbers.

#include <optional>
#include <string>

#include "tests/e2e/wine_scenario/program.h"

namespace pelorin::wine_scenario {

// List3's width in pixels now (0 when there is no window).
int List3Width(Program& program);

// nullopt when the rules hold (or the window is minimized, with no client
// area to fill), else what breaks them.
std::optional<std::string> LayoutViolation(Program& program, int list3Width);
// The same for any window with the two list boxes.
std::optional<std::string> LayoutViolation(HWND window, HWND list2, HWND list3, int list3Width);

}  // namespace pelorin::wine_scenario
