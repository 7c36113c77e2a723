#include "categories/category_names.h"

#include <gtest/gtest.h>

#include "store/file_names.h"

namespace pelorin::categories {
namespace {

TEST(BlankTest, OrdinaryAndIdeographicSpacesAreBlank) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("   "));
  EXPECT_TRUE(IsBlank("\u3000 \u3000"));
  EXPECT_FALSE(IsBlank(" a "));
  EXPECT_FALSE(IsBlank("\u3000(^_^)\u3000"));
  // A tab is not one of the spaces the test removes.
  EXPECT_FALSE(IsBlank("\t"));
}

TEST(FoldCase, FoldsTheLettersWindowsFileNamesIgnore) {
  EXPECT_EQ(FoldCase("AbC"), FoldCase("aBc"));
  EXPECT_EQ(FoldCase("ＡＢＣ"), FoldCase("ａｂｃ"));  // full-width Latin
  EXPECT_EQ(FoldCase("ΑΩ"), FoldCase("αω"));          // Greek
  EXPECT_EQ(FoldCase("ЖЁ"), FoldCase("жё"));          // Cyrillic
  EXPECT_EQ(FoldCase("Ⅳ"), FoldCase("ⅳ"));            // Roman numerals
}

TEST(FoldCase, KeepsWhatHasNoCase) {
  EXPECT_NE(FoldCase("A"), FoldCase("Ａ"));  // half-width and full-width stay apart
  EXPECT_NE(FoldCase("か"), FoldCase("カ"));
  EXPECT_EQ(FoldCase("顔 (^_^)"), "顔 (^_^)");
  // Invalid bytes do not make two different names equal.
  EXPECT_NE(FoldCase("\xFF" "a"), FoldCase("\xFE" "a"));
}

TEST(CategoryNameRefusal, SeparatorsAndFileNameCharactersAreRefused) {
  for (const char* name : {"a,b", "a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b",
                           "a\tb", "a\x7F" "b"}) {
    EXPECT_TRUE(RefusalOf(name, {}).has_value()) << name;
  }
}

TEST(CategoryNameRefusal, NamesTheSettingsFileCannotHoldAreRefused) {
  EXPECT_TRUE(RefusalOf("[A", {}).has_value());
  EXPECT_TRUE(RefusalOf(";A", {}).has_value());
  EXPECT_TRUE(RefusalOf("A=B", {}).has_value());
  EXPECT_FALSE(RefusalOf("A[", {}).has_value());
  EXPECT_FALSE(RefusalOf("A;", {}).has_value());
}

TEST(CategoryNameRefusal, DeviceNamesInAnyCaseAreRefused) {
  for (const char* name : {"CON", "con", "Prn", "aux", "NUL", "COM1", "com9", "LPT1", "lPt9", "CON.x"}) {
    EXPECT_TRUE(RefusalOf(name, {}).has_value()) << name;
  }
  for (const char* name : {"COM0", "COM10", "CONSOLE", "LPT", "NULL"}) {
    EXPECT_FALSE(RefusalOf(name, {}).has_value()) << name;
  }
}

TEST(CategoryNameRefusal, CharactersBeyondCodePage932AreRefused) {
  EXPECT_TRUE(RefusalOf("♡", {}).has_value());
  EXPECT_TRUE(RefusalOf("〜", {}).has_value());  // U+301C: Windows has no byte for it
  EXPECT_FALSE(RefusalOf("～", {}).has_value());  // U+FF5E
  EXPECT_FALSE(RefusalOf("顔文字ｶﾀｶﾅ①", {}).has_value());
}

TEST(CategoryNameRefusal, NamesEqualIgnoringCaseAreRefusedButSpacesCount) {
  EXPECT_TRUE(RefusalOf("a", {"A"}).has_value());
  EXPECT_TRUE(RefusalOf("ａ", {"X", "Ａ"}).has_value());
  EXPECT_FALSE(RefusalOf(" A", {"A"}).has_value());
  EXPECT_FALSE(RefusalOf("A ", {"A"}).has_value());
  EXPECT_FALSE(RefusalOf("A", {"Ａ"}).has_value());
}

TEST(FileNames, PlainNamesStayInsideTheFolder) {
  EXPECT_TRUE(store::IsPlainFileName("A.txt"));
  EXPECT_TRUE(store::IsPlainFileName("..txt"));
  for (const char* name : {"", ".", "..", "../x", "..\\x", "C:x", "a/b"}) {
    EXPECT_FALSE(store::IsPlainFileName(name)) << name;
  }
  EXPECT_FALSE(store::IsPortableFileName("NUL.txt"));
  EXPECT_FALSE(store::IsPortableFileName("a?.txt"));
  EXPECT_TRUE(store::IsPortableFileName("顔 .txt"));
}

}  // namespace
}  // namespace pelorin::categories
