#pragma once
// What every part of the Windows scenario runner uses: UTF-8 and UTF-16, the
// trace, the desktop described, twips; and the failure texts, quoting and
// numbers both runners share (tests/scenario/scenario_text.h).

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/wide.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::wine_scenario {

using scenario::Expected;
using scenario::FormatNumber;
using scenario::Pass;
using scenario::Quoted;
using scenario::StepResult;

// UTF-8 and UTF-16 through the program's own pair.
inline std::wstring Wide(std::string_view utf8) { return platform::win32::Widen(utf8); }
inline std::string Utf8(std::wstring_view wide) { return platform::win32::Narrow(wide); }

// With PELORIN_SCENARIO_TRACE set, a line about what the runner does, to
// stderr (for finding out why a scenario fails under Wine).
void Trace(const std::string& line);

// The visible top-level windows, top first: titles, "^" for the topmost
// band, "*" for the active window.
std::string DescribeDesktop();

// The parts of a text between the separators (the whole text when it has none).
template <class Text>
std::vector<Text> Split(Text text, typename Text::value_type separator) {
  std::vector<Text> parts;
  for (size_t at = text.find(separator);; at = text.find(separator)) {
    parts.push_back(text.substr(0, at));
    if (at == Text::npos) return parts;
    text = text.substr(at + 1);
  }
}

// Twips (1/1440 inch) and pixels at a DPI, rounded as the program rounds.
inline int TwipsToPixels(double twips, unsigned dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}
inline double PixelsToTwips(int pixels, unsigned dpi) { return pixels * 1440.0 / dpi; }

}  // namespace pelorin::wine_scenario
