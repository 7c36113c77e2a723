#pragma once
// Text in double quotes as scenario files write it, for the messages of the
// simulation and of both scenario runners. Depends on nothing else, so the
// Windows runner can use it without the simulation.

#include <string>

namespace pelorin::sim {

// The text in double quotes, with \\ \" \r \n \t and \u escapes for other
// control characters.
std::string Quote(const std::string& text);

}  // namespace pelorin::sim
