// The window-state value and the category list value of the settings file.
// Window state: any text parses or is refused without harm; what parses is
// written with at most 7 significant digits, so a write may round. After one
// round trip of the written text it is stable: the text parses to fields that
// write the same text and read back exactly. The whole number and the two switches
// never change; a decimal moves by no more than its rounding to 7 digits.
// Category list: any value gives names without commas that join and split
// back to the same names.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/window_state.h"
#include "tests/fuzz/fuzz_support.h"

namespace pelorin::fuzz {
namespace {

using store::WindowStateFields;

// Rounding to 7 significant digits moves a value by at most half a unit of
// the 7th digit; reading the decimal back into a float adds half a float ulp.
bool WithinRounding(float original, float rounded) {
  const double a = original;
  const double b = rounded;
  const double allowed = std::fabs(a) * 5.000001e-7 + std::fabs(b) * 6e-8 + 1e-45;
  return std::fabs(a - b) <= allowed;
}

void CheckWindowState(std::string_view text) {
  const std::optional<WindowStateFields> parsed = store::ParseWindowState(text);
  if (!parsed) return;
  const std::optional<WindowStateFields> once =
      store::ParseWindowState(store::FormatWindowState(*parsed));
  PELORIN_FUZZ_CHECK(once.has_value());
  PELORIN_FUZZ_CHECK(once->selectedCategory == parsed->selectedCategory);
  PELORIN_FUZZ_CHECK(once->menuBarShown == parsed->menuBarShown);
  PELORIN_FUZZ_CHECK(once->alwaysOnTop == parsed->alwaysOnTop);
  // A 7-digit decimal may lie nearer another float than the one it came
  // from (floats hold 6 digits for sure, not 7), so the second write may
  // still differ from the first; from the second on, the text is a fixed point.
  const std::string second = store::FormatWindowState(*once);
  const std::optional<WindowStateFields> twice = store::ParseWindowState(second);
  PELORIN_FUZZ_CHECK(twice.has_value());
  PELORIN_FUZZ_CHECK(store::FormatWindowState(*twice) == second);
  for (float WindowStateFields::*position :
       {&WindowStateFields::top, &WindowStateFields::left, &WindowStateFields::height,
        &WindowStateFields::width}) {
    PELORIN_FUZZ_CHECK(WithinRounding(*parsed.*position, *once.*position));
    PELORIN_FUZZ_CHECK(WithinRounding(*once.*position, *twice.*position));
  }
}

void CheckCategoryList(std::string_view value) {
  const std::vector<std::string> names = store::ParseCategoryList(value);
  for (const std::string& name : names) PELORIN_FUZZ_CHECK(name.find(',') == name.npos);
  const std::optional<std::string> joined = store::JoinCategoryList(names);
  PELORIN_FUZZ_CHECK(joined.has_value() == !names.empty());
  if (joined) PELORIN_FUZZ_CHECK(store::ParseCategoryList(*joined) == names);
}

}  // namespace
}  // namespace pelorin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin::fuzz;
  CheckWindowState(AsText(data, size));
  CheckCategoryList(AsText(data, size));
  return 0;
}
