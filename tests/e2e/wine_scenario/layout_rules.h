#pragma once
// The layout's rules, checked on the real window after every action: List2
// at the left edge, List3 starting where List2 ends and keeping its width,
// both as tall as each other, made of whole rows and filling the client area.
// The real frame, menu bar and rows differ from the simulated metrics, so the
// rules are checked instead of the simulation's numbers.

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>

namespace pelorin::wine_scenario {

// nullopt when the rules hold (or the window is hidden or minimized, with no
// client area to fill), else what breaks them.
std::optional<std::string> LayoutViolation(HWND window, HWND list2, HWND list3, int list3Width);

// pelorin-wine-scenario --self-test: the rules tried on cases
// where they must hold and where they must not. One PASS or FAIL line per
// case; 0 when every case came out as it must.
int RunSelfTest(std::ostream& out);

}  // namespace pelorin::wine_scenario
