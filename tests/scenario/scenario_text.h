#pragma once
// The texts both scenario runners print: a step's failure ("expected ...,
// found ..."), values quoted and numbers written as scenario files write them,
// and the patterns (text or *) that expectations match. Standard library only:
// the Windows runner builds this with MinGW too.

#include <optional>
#include <string>
#include <vector>

#include "tests/scenario/scenario_parser.h"

namespace pelorin::scenario {

// A failing step says why; a passing one says nothing.
using StepResult = std::optional<std::string>;

inline StepResult Pass() { return std::nullopt; }
// "expected WHAT, found FOUND"
StepResult Expected(const std::string& what, const std::string& found);

// The text in double quotes, with \\ \" \r \n \t and \u escapes for other
// control characters, as scenario files write it.
std::string Quoted(const std::string& text);
// Entries as `"a" "b"`, or "empty".
std::string DescribeEntries(const std::vector<std::string>& entries);
// Bytes as "EF BB BF" ("no bytes" when empty).
std::string DescribeBytes(const std::string& bytes);
// Shortest decimal form: 1200, -1, 12.5.
std::string FormatNumber(double value);
const char* YesNo(bool value);
// "List2"
std::string NameOf(ListName list);

// True when a text argument (or a bare *) matches the value.
bool Matches(const Arg& pattern, const std::string& value);
// True when a number argument (or a bare *) matches the value, compared as
// the program keeps its numbers (single precision).
bool MatchesNumber(const Arg& pattern, double value);
// The pattern as the scenario wrote it: * or the quoted text, * or the number.
std::string DescribePattern(const Arg& pattern);
std::string DescribeNumberPattern(const Arg& pattern);

}  // namespace pelorin::scenario
