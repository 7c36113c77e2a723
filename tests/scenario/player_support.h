#pragma once
// Small helpers of the scenario player: failure texts, quoting, numbers,
// paths inside the application folder.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::scenario {

// A failing step says why; a passing one says nothing.
using StepResult = std::optional<std::string>;

inline StepResult Pass() { return std::nullopt; }
// "expected WHAT, found FOUND"
StepResult Expected(const std::string& what, const std::string& found);

// The text in double quotes, escaped as scenario files write it.
std::string Quoted(const std::string& text);
// Entries as `"a" "b"`, or "empty".
std::string DescribeEntries(const std::vector<std::string>& entries);
// Bytes as "EF BB BF" ("no bytes" when empty).
std::string DescribeBytes(const std::string& bytes);
// Shortest decimal form: 1200, -1, 12.5.
std::string FormatNumber(double value);
const char* YesNo(bool value);

platform::ListId ToListId(ListName list);
std::string NameOf(ListName list);

// True when a text argument (or a bare *) matches the value.
bool Matches(const Arg& pattern, const std::string& value);
// The pattern as the scenario wrote it: * or the quoted text.
std::string DescribePattern(const Arg& pattern);

// PATH of a command, inside the application folder; an absolute path or one
// that climbs out with ".." is refused (nullopt, with the failure in why).
std::optional<std::filesystem::path> ResolvePath(const std::string& appFolder,
                                                 const std::string& relative, std::string& why);

}  // namespace pelorin::scenario
