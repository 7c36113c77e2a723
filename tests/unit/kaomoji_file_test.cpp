#include "store/kaomoji_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/text_codec.h"

namespace pelorin::store {
namespace {

using Entries = std::vector<std::string>;

constexpr char kMark[] = "\xEF\xBB\xBF";

Entries ReadCorpus() {
  std::ifstream corpus(PELORIN_CORPUS, std::ios::binary);
  Entries entries;
  std::string line;
  while (std::getline(corpus, line)) entries.push_back(line);
  return entries;
}

TEST(KaomojiFile, ABlankLineBetweenTwoLinesIsAnEmptyEntry) {
  KaomojiFileContent content = ParseKaomojiFile("a\r\n\r\nb");
  EXPECT_EQ(content.entries, (Entries{"a", "", "b"}));
  EXPECT_EQ(content.encoding, KaomojiEncoding::Cp932);
  EXPECT_EQ(SerializeKaomojiFile(content.entries), "a\r\n\r\nb\r\n");
}

TEST(KaomojiFile, LinesEndAtCrLfCrOrLf) {
  EXPECT_EQ(SplitKaomojiLines("a\nb\rc\r\nd"), (Entries{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitKaomojiLines("a\n\nb\n"), (Entries{"a", "", "b"}));
  EXPECT_EQ(SplitKaomojiLines("a\n\r"), (Entries{"a", ""}));
  EXPECT_EQ(SplitKaomojiLines("\r\n"), (Entries{""}));
}

TEST(KaomojiFile, NothingFollowsTheLastLineEnd) {
  EXPECT_EQ(ParseKaomojiFile("a\r\n").entries, (Entries{"a"}));
  EXPECT_EQ(ParseKaomojiFile("a").entries, (Entries{"a"}));
  EXPECT_EQ(ParseKaomojiFile("a\r\n\r\n").entries, (Entries{"a", ""}));
}

TEST(KaomojiFile, AnEmptyFileIsAnEmptyListAndBack) {
  KaomojiFileContent content = ParseKaomojiFile("");
  EXPECT_TRUE(content.entries.empty());
  EXPECT_EQ(content.encoding, KaomojiEncoding::Cp932);
  EXPECT_EQ(SerializeKaomojiFile({}), "");
}

TEST(KaomojiFile, KeepsSpacesAtBothEnds) {
  Entries entries{"  (^_^)  ", " ", "\t(;_;)"};
  EXPECT_EQ(ParseKaomojiFile(SerializeKaomojiFile(entries)).entries, entries);
}

TEST(KaomojiFile, WritesACodePage932ListAsCodePage932ByteForByte) {
  Entries entries{"(´・ω・`)", "ヽ(*ﾟДﾟ)ﾉ", "(~_~)\\", "①Ⅰⅰ≒"};
  EXPECT_EQ(SerializeKaomojiFile(entries),
            "(\x81\x4C\x81\x45\x83\xD6\x81\x45`)\r\n"
            "\x81\x52(*\xDF\x84\x44\xDF)\xC9\r\n"
            "(~_~)\\\r\n"
            "\x87\x40\x87\x54\xFA\x40\x81\xE0\r\n");
  KaomojiFileContent content = ParseKaomojiFile(SerializeKaomojiFile(entries));
  EXPECT_EQ(content.entries, entries);
  EXPECT_EQ(content.encoding, KaomojiEncoding::Cp932);
}

TEST(KaomojiFile, OneCharacterBeyondCodePage932MakesTheWholeFileUtf8) {
  Entries entries{"(^_^)", "〜(・ω・)〜", "ʕ•ᴥ•ʔ"};
  std::string bytes = SerializeKaomojiFile(entries);
  EXPECT_EQ(bytes, std::string(kMark) + "(^_^)\r\n〜(・ω・)〜\r\nʕ•ᴥ•ʔ\r\n");
  KaomojiFileContent content = ParseKaomojiFile(bytes);
  EXPECT_EQ(content.entries, entries);
  EXPECT_EQ(content.encoding, KaomojiEncoding::Utf8WithMark);
}

TEST(KaomojiFile, ReadsUtf8WithoutTheMark) {
  KaomojiFileContent content = ParseKaomojiFile("(・ω・)\r\n♡\r\n");
  EXPECT_EQ(content.entries, (Entries{"(・ω・)", "♡"}));
  EXPECT_EQ(content.encoding, KaomojiEncoding::Utf8WithoutMark);
}

TEST(KaomojiFile, ReadsCodePage932ThatIsNotUtf8) {
  KaomojiFileContent content = ParseKaomojiFile("(\x81\x45\x83\xD6\x81\x45)\r\n");
  EXPECT_EQ(content.entries, (Entries{"(・ω・)"}));
  EXPECT_EQ(content.encoding, KaomojiEncoding::Cp932);
}

TEST(KaomojiFile, BytesValidInNeitherEncodingAreShownAsReplacements) {
  KaomojiFileContent content = ParseKaomojiFile("ok\r\n\x85\x40\r\n\x82");
  EXPECT_EQ(content.encoding, KaomojiEncoding::Damaged);
  EXPECT_EQ(content.entries, (Entries{"ok", "\xEF\xBF\xBD@", "\xEF\xBF\xBD"}));

  content = ParseKaomojiFile(std::string(kMark) + "a\xFF\r\n\xE3\x81\r\n\xE3\x81\x82");
  EXPECT_EQ(content.encoding, KaomojiEncoding::Damaged);
  EXPECT_EQ(content.entries, (Entries{"a\xEF\xBF\xBD", "\xEF\xBF\xBD", "あ"}));
}

TEST(KaomojiFile, OverlongAndSurrogateFormsAreNotUtf8) {
  // C0 AF (an overlong '/') reads as code page 932 half-width katakana.
  EXPECT_EQ(ParseKaomojiFile("\xC0\xAF").encoding, KaomojiEncoding::Cp932);
  KaomojiFileContent content = ParseKaomojiFile(std::string(kMark) + "\xED\xA0\x80");
  EXPECT_EQ(content.encoding, KaomojiEncoding::Damaged);
  EXPECT_EQ(content.entries, (Entries{"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}));
}

TEST(KaomojiFile, EveryCorpusEntrySurvivesSavingAndLoading) {
  Entries corpus = ReadCorpus();
  ASSERT_EQ(corpus.size(), 1562u);
  std::string bytes = SerializeKaomojiFile(corpus);
  EXPECT_EQ(bytes.rfind(kMark, 0), 0u);
  KaomojiFileContent content = ParseKaomojiFile(bytes);
  EXPECT_EQ(content.encoding, KaomojiEncoding::Utf8WithMark);
  EXPECT_EQ(content.entries, corpus);
}

TEST(KaomojiFile, TheCorpusEntriesThatFitCodePage932AreWrittenInIt) {
  Entries fitting;
  for (const std::string& entry : ReadCorpus()) {
    if (platform::IsCp932Representable(entry)) fitting.push_back(entry);
  }
  ASSERT_EQ(fitting.size(), 795u);
  std::string bytes = SerializeKaomojiFile(fitting);
  std::string text;
  for (const std::string& entry : fitting) text += entry + "\r\n";
  EXPECT_EQ(platform::DecodeCp932(bytes), text);
  KaomojiFileContent content = ParseKaomojiFile(bytes);
  EXPECT_EQ(content.entries, fitting);
  EXPECT_EQ(content.encoding, KaomojiEncoding::Cp932);
}

}  // namespace
}  // namespace pelorin::store
