// The window-state value at its edges, which the scenarios' few states never
// reach: the index's 16-bit limits, positions that are no finite number, and
// singles written as the old runtime wrote them (at most 7 significant
// digits). That written positions read back is fuzz_window_state's property,
// replayed in every build.
#include "store/window_state.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pelorin::store {
namespace {

TEST(WindowState, TheIndexIsASixteenBitWholeNumber) {
  auto index = [](const std::string& field) -> std::optional<int> {
    std::optional<WindowStateFields> state = ParseWindowState(field + ",0,0,0,0,True,True");
    if (!state) return std::nullopt;
    return state->selectedCategory;
  };
  EXPECT_EQ(index("-32768"), -32768);
  EXPECT_EQ(index("32767"), 32767);
  EXPECT_EQ(index(" +7"), 7);
  for (const char* field : {"32768", "-32769", "99999999999999999999", "1.5", "- 5", "", "x"}) {
    EXPECT_EQ(index(field), std::nullopt) << field;
  }
}

TEST(WindowState, RejectsPositionsThatAreNotFiniteNumbers) {
  for (const char* field : {"", "abc", "12px", "1.2.3", "inf", "-nan", "1e39", "+-1", "0x10"}) {
    EXPECT_EQ(ParseWindowState(std::string("0,") + field + ",0,0,0,True,True"), std::nullopt)
        << field;
  }
}

TEST(WindowState, WritesSinglesWithAtMostSevenSignificantDigitsAsTheOldRuntimeDid) {
  EXPECT_EQ(FormatWindowState({1, 300, 450, 990, 975, true, false}),
            "1,300,450,990,975,True,False");
  EXPECT_EQ(FormatWindowState({-1, -15.5f, 0.25f, 6000, 4800.75f, false, true}),
            "-1,-15.5,0.25,6000,4800.75,False,True");
  EXPECT_EQ(FormatSingle(1234.567f), "1234.567");
  EXPECT_EQ(FormatSingle(0.1f), "0.1");
  EXPECT_EQ(FormatSingle(1.0f / 3), "0.3333333");
  EXPECT_EQ(FormatSingle(0.00001f), "0.00001");
  EXPECT_EQ(FormatSingle(16777216), "16777220");
  EXPECT_EQ(FormatSingle(123456789.0f), "123456800");
  EXPECT_EQ(FormatSingle(99999999.0f), "100000000");
  EXPECT_EQ(FormatSingle(9999999), "9999999");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(-0.00000001f), "-0.00000001");
}

}  // namespace
}  // namespace pelorin::store
