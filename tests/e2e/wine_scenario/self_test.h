#pragma once
// pelorin-wine-scenario --self-test: the runner's own rules (the saved window
// state's comparison, the layout's rules) tried on cases where they must hold
// and where they must not, the layout on a window of the runner's own. One
// line per case; 0 when every case came out as it must.

#include <ostream>

namespace pelorin::wine_scenario {

int RunSelfTest(std::ostream& out);

}  // namespace pelorin::wine_scenario
