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
  EXPECT_EQ(index("32768"), std::nullopt);
  EXPECT_EQ(index("-32769"), std::nullopt);
  EXPECT_EQ(index("99999999999999999999"), std::nullopt);
  EXPECT_EQ(index("1.5"), std::nullopt);
  EXPECT_EQ(index("- 5"), std::nullopt);
  EXPECT_EQ(index(""), std::nullopt);
  EXPECT_EQ(index("x"), std::nullopt);
}

TEST(WindowState, RejectsPositionsThatAreNotFiniteNumbers) {
  for (const char* field : {"", "abc", "12px", "1.2.3", "inf", "-nan", "1e39", "+-1", "0x10"}) {
    SCOPED_TRACE(field);
    EXPECT_EQ(ParseWindowState(std::string("0,") + field + ",0,0,0,True,True"), std::nullopt);
  }
}

TEST(WindowState, WritesTheFieldsAsTheOldRuntimeDid) {
  WindowStateFields state{1, 300, 450, 990, 975, true, false};
  EXPECT_EQ(FormatWindowState(state), "1,300,450,990,975,True,False");
  WindowStateFields none{-1, -15.5f, 0.25f, 6000, 4800.75f, false, true};
  EXPECT_EQ(FormatWindowState(none), "-1,-15.5,0.25,6000,4800.75,False,True");
}

TEST(WindowState, FormatsSinglesWithAtMostSevenSignificantDigits) {
  EXPECT_EQ(FormatSingle(300), "300");
  EXPECT_EQ(FormatSingle(-1.5f), "-1.5");
  EXPECT_EQ(FormatSingle(1234.567f), "1234.567");
  EXPECT_EQ(FormatSingle(1234.5f), "1234.5");
  EXPECT_EQ(FormatSingle(0.1f), "0.1");
  EXPECT_EQ(FormatSingle(1.0f / 3), "0.3333333");
  EXPECT_EQ(FormatSingle(0.00001f), "0.00001");
  EXPECT_EQ(FormatSingle(16777216), "16777220");
  EXPECT_EQ(FormatSingle(static_cast<float>(123456789)), "123456800");
  EXPECT_EQ(FormatSingle(static_cast<float>(99999999)), "100000000");
  EXPECT_EQ(FormatSingle(9999999), "9999999");
  EXPECT_EQ(FormatSingle(0), "0");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(-0.00000001f), "-0.00000001");
}

TEST(WindowState, WrittenPositionsReadBack) {
  for (float value : {0.0f, 300.0f, -32000.5f, 1234.567f, 0.1f, 14400.25f, -0.75f}) {
    WindowStateFields state{3, value, -value, value * 2, value / 4, true, true};
    std::optional<WindowStateFields> read = ParseWindowState(FormatWindowState(state));
    ASSERT_TRUE(read) << value;
    EXPECT_FLOAT_EQ(read->top, state.top);
    EXPECT_FLOAT_EQ(read->left, state.left);
    EXPECT_FLOAT_EQ(read->height, state.height);
    EXPECT_FLOAT_EQ(read->width, state.width);
  }
}

}  // namespace
}  // namespace pelorin::store
