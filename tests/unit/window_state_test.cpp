#include "store/window_state.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace pelorin::store {
namespace {

using Names = std::vector<std::string>;

TEST(WindowState, ReadsTheSevenFields) {
  std::optional<WindowStateFields> state = ParseWindowState("1,300,450,990,975,True,False");
  ASSERT_TRUE(state);
  EXPECT_EQ(state->selectedCategory, 1);
  EXPECT_EQ(state->top, 300.0f);
  EXPECT_EQ(state->left, 450.0f);
  EXPECT_EQ(state->height, 990.0f);
  EXPECT_EQ(state->width, 975.0f);
  EXPECT_TRUE(state->menuBarShown);
  EXPECT_FALSE(state->alwaysOnTop);
}

TEST(WindowState, IgnoresBlanksAroundFieldsAndLetterCaseOfBooleans) {
  std::optional<WindowStateFields> state =
      ParseWindowState(" -1 ,\t300.5 , -2.25,+3 ,4e2, false ,TRUE\t");
  ASSERT_TRUE(state);
  EXPECT_EQ(state->selectedCategory, -1);
  EXPECT_EQ(state->top, 300.5f);
  EXPECT_EQ(state->left, -2.25f);
  EXPECT_EQ(state->height, 3.0f);
  EXPECT_EQ(state->width, 400.0f);
  EXPECT_FALSE(state->menuBarShown);
  EXPECT_TRUE(state->alwaysOnTop);
}

TEST(WindowState, ReadsNumbersAsBooleans) {
  auto flags = [](const std::string& five, const std::string& six) {
    std::optional<WindowStateFields> state = ParseWindowState("0,0,0,0,0," + five + "," + six);
    return state ? std::optional<std::pair<bool, bool>>({state->menuBarShown, state->alwaysOnTop})
                 : std::nullopt;
  };
  EXPECT_EQ(flags("0", "-1"), std::make_pair(false, true));
  EXPECT_EQ(flags("2", "00"), std::make_pair(true, false));
  EXPECT_EQ(flags("yes", "0"), std::nullopt);
  EXPECT_EQ(flags("", "0"), std::nullopt);
}

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

TEST(WindowState, NeedsSevenFieldsAndIgnoresMore) {
  EXPECT_EQ(ParseWindowState(""), std::nullopt);
  EXPECT_EQ(ParseWindowState("1,300,450,990,975,True"), std::nullopt);
  std::optional<WindowStateFields> state = ParseWindowState("1,300,450,990,975,True,False,junk,");
  ASSERT_TRUE(state);
  EXPECT_FALSE(state->alwaysOnTop);
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
  EXPECT_EQ(FormatSingle(123456789.0f), "123456800");
  EXPECT_EQ(FormatSingle(99999999.0f), "100000000");
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

TEST(CategoryList, EveryNameIsFollowedByAComma) {
  EXPECT_EQ(JoinCategoryList({"A", "B"}), "A,B,");
  EXPECT_EQ(JoinCategoryList({"A"}), "A,");
  EXPECT_EQ(JoinCategoryList({}), std::nullopt);
  EXPECT_EQ(ParseCategoryList("A,B,"), (Names{"A", "B"}));
  EXPECT_EQ(ParseCategoryList(""), Names{});
}

TEST(CategoryList, KeepsNamesUntrimmedAndEmptyNamesBetweenCommas) {
  EXPECT_EQ(ParseCategoryList(" A ,,B ,"), (Names{" A ", "", "B "}));
  EXPECT_EQ(ParseCategoryList(","), (Names{""}));
}

TEST(CategoryList, TextAfterTheLastCommaIsANameToo) {
  EXPECT_EQ(ParseCategoryList("A"), (Names{"A"}));
  EXPECT_EQ(ParseCategoryList("A,B"), (Names{"A", "B"}));
}

TEST(CategoryList, JoinedNamesReadBackAsTheyWere) {
  for (const Names& names : {Names{"顔", " 空白 ", ""}, Names{"", ""}, Names{"ａ", "A", "a"}}) {
    std::optional<std::string> value = JoinCategoryList(names);
    ASSERT_TRUE(value);
    EXPECT_EQ(ParseCategoryList(*value), names);
  }
}

}  // namespace
}  // namespace pelorin::store
