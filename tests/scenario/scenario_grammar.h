#pragma once
// The commands of the scenario format and their signatures (the kinds of
// argument are in scenario_parser.h). Standard library only.

#include <string>
#include <vector>

#include "tests/scenario/scenario_lexer.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::scenario {

// Recognises the command that the words spell and checks its arguments.
// Fills kind, name and args of the command; returns why it is not a command
// (empty when it is).
std::string MatchCommand(const std::vector<Word>& words, Command& command);

}  // namespace pelorin::scenario
