#pragma once
// What every part of the Windows scenario runner uses: UTF-8 and UTF-16,
// failure texts, quoting as scenario files write it, numbers, the trace.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin::wine_scenario {

// A failing step says why; a passing one says nothing.
using StepResult = std::optional<std::string>;

inline StepResult Pass() { return std::nullopt; }
// "expected WHAT, found FOUND"
StepResult Expected(const std::string& what, const std::string& found);

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// The text in double quotes, escaped as scenario files write it.
std::string Quoted(const std::string& text);
// Entries as `"a" "b"`, or "empty".
std::string DescribeEntries(const std::vector<std::string>& entries);
// Bytes as "EF BB BF" ("no bytes" when empty).
std::string DescribeBytes(const std::string& bytes);
// Shortest decimal form: 1200, -1, 12.5.
std::string FormatNumber(double value);
const char* YesNo(bool value);

// With PELORIN_SCENARIO_TRACE set, a line about what the runner does, to
// stderr (for finding out why a scenario fails under Wine).
void Trace(const std::string& line);

// The visible top-level windows, top first: titles, "^" for the topmost
// band, "*" for the active window.
std::string DescribeDesktop();

// Twips (1/1440 inch) and pixels at a DPI, rounded as the program rounds.
int TwipsToPixels(double twips, unsigned dpi);
double PixelsToTwips(int pixels, unsigned dpi);

}  // namespace pelorin::wine_scenario
