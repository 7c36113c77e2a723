#pragma once
// The saved window state (DATA STATE: index, top, left, height, width, menu
// bar, always on top) as the Windows runner compares it: the real frame and
// rows decide the height and the width, so those two fields are not compared;
// every other field is, exactly. A real window stands on whole pixels, so top
// and left are exact to the pixel at the window's DPI (1000 twips and the
// 1005 a window at pixel 67 saves are the same place at 96 dpi), as the
// runner checks the window's own left and top.

#include <functional>
#include <string_view>
#include <utility>

#include "tests/scenario/file_expectations.h"

namespace pelorin::wine_scenario {

// Seven comma-separated fields each, or the same text.
bool SameSavedState(std::string_view expected, std::string_view actual, unsigned dpi);

// The rule for the shared file checks (expect file, bytes, ini) at the DPI
// the program's window has when the check is made: a file's "STATE=" lines
// and the setting DATA STATE (matched as the settings file matches names,
// ASCII letters in any case) by SameSavedState, all else exactly.
class SavedStateRule : public scenario::SavedContentRule {
 public:
  explicit SavedStateRule(std::function<unsigned()> dpi) : dpi_(std::move(dpi)) {}
  bool SameFile(std::string_view expected, std::string_view actual) const override;
  bool SameSetting(std::string_view section, std::string_view key, std::string_view expected,
                   std::string_view actual) const override;

 private:
  std::function<unsigned()> dpi_;
};

}  // namespace pelorin::wine_scenario
