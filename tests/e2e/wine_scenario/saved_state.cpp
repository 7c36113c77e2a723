#include "tests/e2e/wine_scenario/saved_state.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

enum Field : size_t { kTop = 1, kLeft = 2, kHeight = 3, kWidth = 4, kFields = 7 };
constexpr std::string_view kStateKey = "STATE=";

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, {}, lower, lower);
}

// The same pixel at the DPI, as the window converts twips.
bool SamePixel(std::string_view expected, std::string_view actual, unsigned dpi) {
  auto number = [](std::string_view text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
  };
  double want = 0;
  double have = 0;
  return expected == actual || (number(expected, want) && number(actual, have) &&
                                TwipsToPixels(want, dpi) == TwipsToPixels(have, dpi));
}

}  // namespace

bool SameSavedState(std::string_view expected, std::string_view actual, unsigned dpi) {
  if (expected == actual) return true;
  const std::vector<std::string_view> want = Split(expected, ',');
  const std::vector<std::string_view> have = Split(actual, ',');
  if (want.size() != kFields || have.size() != kFields) return false;
  for (size_t i = 0; i < kFields; ++i) {
    const bool place = i == kTop || i == kLeft;
    const bool size = i == kHeight || i == kWidth;
    if (place ? !SamePixel(want[i], have[i], dpi) : !size && want[i] != have[i]) return false;
  }
  return true;
}

bool SavedStateRule::SameFile(std::string_view expected, std::string_view actual) const {
  auto state = [](std::string_view line) {
    return line.substr(kStateKey.size(),
                       line.size() - kStateKey.size() - (line.ends_with('\r') ? 1 : 0));
  };
  return std::ranges::equal(
      Split(expected, '\n'), Split(actual, '\n'), [&](std::string_view a, std::string_view b) {
        return a == b || (a.starts_with(kStateKey) && b.starts_with(kStateKey) &&
                          a.ends_with('\r') == b.ends_with('\r') &&
                          SameSavedState(state(a), state(b), dpi_()));
      });
}

bool SavedStateRule::SameSetting(std::string_view section, std::string_view key,
                                 std::string_view expected, std::string_view actual) const {
  if (SameIgnoringAsciiCase(section, "DATA") && SameIgnoringAsciiCase(key, "STATE")) {
    return SameSavedState(expected, actual, dpi_());
  }
  return expected == actual;
}

}  // namespace pelorin::wine_scenario
