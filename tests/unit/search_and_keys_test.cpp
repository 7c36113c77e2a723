// The search's folding against Unicode's compatibility mapping (NFKC, then
// ASCII lower case), the expectations written out from Python's unicodedata
// (Unicode 14); and the key names a hand-edited settings file may hold.
#include <gtest/gtest.h>

#include <string>

#include "app/key_names.h"
#include "search/search_folding.h"
#include "store/unicode_text.h"
#include "tests/scenario/player.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin {
namespace {

using search::FoldForSearch;

std::string Utf8(char32_t c) {
  std::string text;
  store::AppendUtf8(text, c);
  return text;
}

// NFKC of U+FF01-U+FF5E and U+FF65-U+FF9F, one by one, ASCII lowered.
constexpr const char* kSinglesFolded =
    "!\"#$%&'()*+,-./0123456789:;<=>?@abcdefghijklmnopqrstuvwxyz["
    "\\]^_`abcdefghijklmnopqrstuvwxyz{|}~・ヲァィゥェォャュョッーアイウエオカキクケコサシ"
    "スセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン\u3099\u309A";
// NFKC of each of U+FF66-U+FF9D followed by ﾞ, then by ﾟ.
constexpr const char* kVoicedFolded =
    "ヺァ\u3099ィ\u3099ゥ\u3099ェ\u3099ォ\u3099ャ\u3099ュ\u3099ョ\u3099ッ\u3099"
    "ー\u3099ア\u3099イ\u3099ヴエ\u3099オ\u3099ガギグゲゴザジズゼゾダヂヅデドナ\u3099ニ\u3099"
    "ヌ\u3099ネ\u3099ノ\u3099バビブベボマ\u3099ミ\u3099ム\u3099メ\u3099モ\u3099"
    "ヤ\u3099ユ\u3099ヨ\u3099ラ\u3099リ\u3099ル\u3099レ\u3099ロ\u3099ヷン\u3099";
constexpr const char* kSemiVoicedFolded =
    "ヲ\u309Aァ\u309Aィ\u309Aゥ\u309Aェ\u309Aォ\u309Aャ\u309Aュ\u309Aョ\u309A"
    "ッ\u309Aー\u309Aア\u309Aイ\u309Aウ\u309Aエ\u309Aオ\u309Aカ\u309Aキ\u309A"
    "ク\u309Aケ\u309Aコ\u309Aサ\u309Aシ\u309Aス\u309Aセ\u309Aソ\u309Aタ\u309A"
    "チ\u309Aツ\u309Aテ\u309Aト\u309Aナ\u309Aニ\u309Aヌ\u309Aネ\u309Aノ\u309A"
    "パピプペポマ\u309Aミ\u309Aム\u309Aメ\u309Aモ\u309Aヤ\u309Aユ\u309Aヨ\u309A"
    "ラ\u309Aリ\u309Aル\u309Aレ\u309Aロ\u309Aワ\u309Aン\u309A";

TEST(SearchFolding, EachFullWidthFormAndHalfWidthKanaFoldsAsItsCompatibilityMapping) {
  std::string folded;
  for (char32_t c = 0xFF01; c <= 0xFF5E; ++c) folded += FoldForSearch(Utf8(c));
  for (char32_t c = 0xFF65; c <= 0xFF9F; ++c) folded += FoldForSearch(Utf8(c));
  EXPECT_EQ(folded, kSinglesFolded);
}

TEST(SearchFolding, AVoicedOrSemiVoicedMarkJoinsTheKanaBeforeIt) {
  std::string voiced;
  std::string semiVoiced;
  for (char32_t c = 0xFF66; c <= 0xFF9D; ++c) {
    voiced += FoldForSearch(Utf8(c) + "ﾞ");
    semiVoiced += FoldForSearch(Utf8(c) + "ﾟ");
  }
  EXPECT_EQ(voiced, kVoicedFolded);
  EXPECT_EQ(semiVoiced, kSemiVoicedFolded);
}

TEST(SearchFolding, NothingElseChanges) {
  // Hiragana, full-width katakana, Greek capitals, the half-width punctuation
  // below U+FF65, and bytes that are no UTF-8 stay as they are.
  for (const std::string text :
       {"か", "ガ", "カ\u3099", "ΩΣ", "｡｢｣､", "(´ω)", "\xEF\xBC", "a\xFFz"}) {
    EXPECT_EQ(FoldForSearch(text), text) << text;
  }
  EXPECT_EQ(FoldForSearch("ﾞｶ"), "\u3099カ");
  EXPECT_EQ(FoldForSearch("ｶﾞﾞ"), "ガ\u3099");
  EXPECT_EQ(FoldForSearch("ＸＤ｀"), "xd`");
}

// The lines under the results, which no scenario command reads: the count
// follows the text, and the first file that exists but cannot be read is
// named (a missing one is not).
TEST(SearchWindow, CountsTheResultsAndNamesTheFirstUnreadableFile) {
  const scenario::ParseResult parsed = scenario::ParseScenarios(
      "scenario s\n"
      "file 設定.ini "
      "\"[LIST]\\r\\nLIST=A,B,C,D,\\r\\n[DATA]\\r\\nSTATE=0,1200,1200,2710,4805,True,True\\r\\n\"\n"
      "file data/A.txt \"(^_^)\\r\\n(;_;)\\r\\n\"\n"
      "file data/C.txt \"x\\r\\n\"\n"
      "file data/D.txt \"y\\r\\n\"\n"
      "start\n"
      "fail read data/D.txt\n"
      "fail read data/C.txt\n"
      "answer search \"^\" cancel\n"
      "menu ID_FIND\n");
  ASSERT_FALSE(parsed.error);
  scenario::Player player;
  for (const scenario::Command& command : parsed.scenarios.at(0).commands) {
    ASSERT_FALSE(player.Run(command)) << command.source;
  }
  const std::deque<sim::DialogRecord>& log = player.World().DialogLog();
  ASSERT_EQ(log.size(), 1u);
  ASSERT_EQ(log[0].searched.size(), 2u);
  EXPECT_EQ(log[0].caption, "顔文字の検索");
  const std::vector<std::string> all{"2件", "読めないファイルがあります: C.txt"};
  const std::vector<std::string> one{"1件", "読めないファイルがあります: C.txt"};
  EXPECT_EQ(log[0].searched[0].statusLines, all);
  EXPECT_EQ(log[0].searched[1].statusLines, one);
}

// A written name reads back as itself, a hand edit as the written form, and
// what is no call-up key not at all.
TEST(KeyNames, AreReadLenientlyAndWrittenInOneForm) {
  auto written = [](const char* text) { return app::FormatKeyName(*app::ParseKeyName(text)); };
  for (const char* name : {"Ctrl+Alt+K", "Ctrl+Shift+F12", "Alt+1", "Ctrl+Alt+Shift+F24",
                           "Alt+Shift+PageDown", "Ctrl+Space", "Ctrl+Alt+0", "Alt+F1"}) {
    ASSERT_TRUE(app::ParseKeyName(name)) << name;
    EXPECT_EQ(written(name), name);
  }
  EXPECT_EQ(written("alt + CTRL + k"), "Ctrl+Alt+K");
  EXPECT_EQ(written("shift+alt+f5"), "Alt+Shift+F5");
  EXPECT_EQ(written(" Ctrl+pageup "), "Ctrl+PageUp");
  for (const char* text : {"", "なし", "K", "Shift+K", "Ctrl+", "+K", "Ctrl+Ctrl+K", "Ctrl+Alt",
                           "Ctrl+K+Alt", "Win+K", "Ctrl+F0", "Ctrl+F25", "Ctrl+F01", "Ctrl+F1:", "Ctrl+Enter",
                           "Ctrl+KK", "Ctrl++", "Ctrl+Ｋ", "Ctrl+Alt+Del"}) {
    EXPECT_FALSE(app::ParseKeyName(text)) << text;
  }
  // The keys themselves: ctrl, alt, shift and the virtual-key code.
  EXPECT_EQ(app::ParseKeyName("Ctrl+Shift+F12"),
            (platform::KeyCombination{true, false, true, 0x7B}));
  EXPECT_EQ(app::ParseKeyName("Alt+Q"), (platform::KeyCombination{false, true, false, 'Q'}));
  EXPECT_EQ(app::ParseKeyName("Ctrl+9"), (platform::KeyCombination{true, false, false, '9'}));
  EXPECT_EQ(app::FormatKeyName({false, false, true, 'K'}), "");
  EXPECT_EQ(app::FormatKeyName({true, false, false, 0x0D}), "");
}

}  // namespace
}  // namespace pelorin
