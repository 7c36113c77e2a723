#include "store/window_state.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "store/profile_document.h"
#include "store/profile_syntax.h"

namespace pelorin::store {
namespace {

constexpr std::size_t kFieldCount = 7;

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t comma = text.find(','); comma != text.npos; comma = text.find(',', start)) {
    pieces.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

// from_chars takes neither a '+' nor blanks; the field may have both.
std::string_view NumberText(std::string_view field, bool* negative) {
  field = TrimBlanks(field);
  *negative = false;
  if (!field.empty() && (field.front() == '+' || field.front() == '-')) {
    *negative = field.front() == '-';
    field.remove_prefix(1);
  }
  return field;
}

std::optional<std::int16_t> ParseIndex(std::string_view field) {
  bool negative = false;
  std::string_view digits = NumberText(field, &negative);
  if (digits.empty() || digits.find_first_not_of("0123456789") != digits.npos) return std::nullopt;
  long value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (negative) value = -value;
  if (value < -32768 || value > 32767) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

std::optional<float> ParseSingle(std::string_view field) {
  bool negative = false;
  std::string_view text = NumberText(field, &negative);
  // A second sign ("+-1") is not a number.
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  float value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<bool> ParseBoolean(std::string_view field) {
  std::string_view text = TrimBlanks(field);
  if (EqualsIgnoringAsciiCase(text, "True")) return true;
  if (EqualsIgnoringAsciiCase(text, "False")) return false;
  std::optional<float> number = ParseSingle(text);
  if (!number) return std::nullopt;
  return *number != 0;
}

}  // namespace

std::optional<WindowStateFields> ParseWindowState(std::string_view text) {
  std::vector<std::string_view> fields = SplitAtCommas(text);
  if (fields.size() < kFieldCount) return std::nullopt;
  std::optional<std::int16_t> index = ParseIndex(fields[0]);
  std::optional<float> top = ParseSingle(fields[1]);
  std::optional<float> left = ParseSingle(fields[2]);
  std::optional<float> height = ParseSingle(fields[3]);
  std::optional<float> width = ParseSingle(fields[4]);
  std::optional<bool> menuBar = ParseBoolean(fields[5]);
  std::optional<bool> onTop = ParseBoolean(fields[6]);
  if (!index || !top || !left || !height || !width || !menuBar || !onTop) return std::nullopt;
  return WindowStateFields{*index, *top, *left, *height, *width, *menuBar, *onTop};
}

std::string FormatWindowState(const WindowStateFields& state) {
  std::string text = std::to_string(state.selectedCategory);
  for (float value : {state.top, state.left, state.height, state.width}) {
    text += ',';
    text += FormatSingle(value);
  }
  text += state.menuBarShown ? ",True" : ",False";
  text += state.alwaysOnTop ? ",True" : ",False";
  return text;
}

std::string FormatSingle(float value) {
  // Not a number and infinity never describe a window; "0" reads back.
  if (!std::isfinite(value)) return "0";
  // Seven significant digits, rounded as printf rounds: d.dddddde±x.
  char scientific[32];
  std::snprintf(scientific, sizeof scientific, "%.6e", static_cast<double>(value));
  std::string_view text = scientific;
  bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::string digits;
  digits += text[0];
  digits.append(text.substr(2, 6));
  int exponent = std::atoi(text.data() + text.find('e') + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (digits == "0") return "0";

  std::string out = negative ? "-" : "";
  int wholeDigits = exponent + 1;
  if (wholeDigits <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-wholeDigits), '0');
    out += digits;
  } else if (static_cast<std::size_t>(wholeDigits) >= digits.size()) {
    out += digits;
    out.append(static_cast<std::size_t>(wholeDigits) - digits.size(), '0');
  } else {
    out.append(digits, 0, static_cast<std::size_t>(wholeDigits));
    out += '.';
    out.append(digits, static_cast<std::size_t>(wholeDigits));
  }
  return out;
}

std::vector<std::string> ParseCategoryList(std::string_view value) {
  std::vector<std::string> names;
  if (value.empty()) return names;
  std::vector<std::string_view> pieces = SplitAtCommas(value);
  names.reserve(pieces.size());
  for (std::size_t i = 0; i + 1 < pieces.size(); ++i) names.emplace_back(pieces[i]);
  if (!pieces.back().empty()) names.emplace_back(pieces.back());
  return names;
}

std::optional<std::string> JoinCategoryList(const std::vector<std::string>& names) {
  if (names.empty()) return std::nullopt;
  std::string value;
  for (const std::string& name : names) value.append(name).append(",");
  return value;
}

}  // namespace pelorin::store
