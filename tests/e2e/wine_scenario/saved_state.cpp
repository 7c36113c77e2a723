#include "tests/e2e/wine_scenario/saved_state.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace pelorin::wine_scenario {
namespace {

constexpr size_t kStateFields = 7;
constexpr size_t kTopField = 1;
constexpr size_t kLeftField = 2;
constexpr size_t kHeightField = 3;
constexpr size_t kWidthField = 4;
constexpr std::string_view kStateKey = "STATE=";

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::optional<double> Number(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The same pixel at the DPI, as the window converts twips.
bool SamePixel(std::string_view expected, std::string_view actual, unsigned dpi) {
  if (expected == actual) return true;
  const std::optional<double> want = Number(expected);
  const std::optional<double> have = Number(actual);
  if (!want || !have) return false;
  return std::lround(*want * dpi / 1440.0) == std::lround(*have * dpi / 1440.0);
}

bool SameStateLine(std::string_view expected, std::string_view actual, unsigned dpi) {
  const bool expectedCr = expected.ends_with('\r');
  if (expectedCr != actual.ends_with('\r')) return false;
  if (expectedCr) {
    expected.remove_suffix(1);
    actual.remove_suffix(1);
  }
  if (!expected.starts_with(kStateKey) || !actual.starts_with(kStateKey)) return false;
  return SameSavedState(expected.substr(kStateKey.size()), actual.substr(kStateKey.size()), dpi);
}

}  // namespace

bool SameSavedState(std::string_view expected, std::string_view actual, unsigned dpi) {
  if (expected == actual) return true;
  const std::vector<std::string_view> want = Split(expected, ',');
  const std::vector<std::string_view> have = Split(actual, ',');
  if (want.size() != kStateFields || have.size() != kStateFields) return false;
  for (size_t i = 0; i < kStateFields; ++i) {
    if (i == kHeightField || i == kWidthField) continue;
    if (i == kTopField || i == kLeftField) {
      if (!SamePixel(want[i], have[i], dpi)) return false;
    } else if (want[i] != have[i]) {
      return false;
    }
  }
  return true;
}

bool SameContentsButStateSize(std::string_view expected, std::string_view actual, unsigned dpi) {
  if (expected == actual) return true;
  const std::vector<std::string_view> want = Split(expected, '\n');
  const std::vector<std::string_view> have = Split(actual, '\n');
  if (want.size() != have.size()) return false;
  for (size_t i = 0; i < want.size(); ++i) {
    if (want[i] != have[i] && !SameStateLine(want[i], have[i], dpi)) return false;
  }
  return true;
}

bool IsSavedStateKey(std::string_view section, std::string_view key) {
  return SameIgnoringAsciiCase(section, "DATA") && SameIgnoringAsciiCase(key, "STATE");
}

bool SavedStateRule::SameFile(std::string_view expected, std::string_view actual) const {
  return SameContentsButStateSize(expected, actual, dpi_());
}

bool SavedStateRule::SameSetting(std::string_view section, std::string_view key,
                                 std::string_view expected, std::string_view actual) const {
  if (IsSavedStateKey(section, key)) return SameSavedState(expected, actual, dpi_());
  return expected == actual;
}

}  // namespace pelorin::wine_scenario
