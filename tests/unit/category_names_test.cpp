// The letter-case folding that decides when two category names would name
// one file: every case pair Windows' file names ignore, and nothing else.
// The scenarios meet a few letters; the table's ranges and invalid bytes are
// reached only here.
#include "categories/category_names.h"

#include <gtest/gtest.h>

namespace pelorin::categories {
namespace {

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

}  // namespace
}  // namespace pelorin::categories
