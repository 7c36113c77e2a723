#pragma once
// The saved window state: "index,top,left,height,width,menubar,topmost".
// Field 0: whole number -32768..32767. Fields 1-4: decimal numbers with "."
// Fields 5-6: "True"/"False" in any case, or a number (0 false, other true).
// Spaces around a field are ignored; fields after the seventh are ignored.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin::store {

struct WindowStateFields {
  std::int16_t selectedCategory = -1;
  float top = 0;
  float left = 0;
  float height = 0;
  float width = 0;
  bool menuBarShown = true;
  bool alwaysOnTop = true;
};

// nullopt: missing, fewer than seven fields, or a field that does not convert.
std::optional<WindowStateFields> ParseWindowState(std::string_view text);
std::string FormatWindowState(const WindowStateFields& state);

// Shortest decimal with at most 7 significant digits; whole numbers without
// a decimal point ("300", "-1.5", "1234.567").
std::string FormatSingle(float value);

// The category list value: every name followed by one comma. A non-empty text
// after the last comma is a name too. Empty list: nullopt (the key is removed).
std::vector<std::string> ParseCategoryList(std::string_view value);
std::optional<std::string> JoinCategoryList(const std::vector<std::string>& names);

}  // namespace pelorin::store
