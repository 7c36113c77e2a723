#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_codec.h"

namespace pelorin::platform {
namespace {

// UTF-8 of one code point: tests name characters by number, since several
// of them look alike (〜 U+301C and ～ U+FF5E, − U+2212 and － U+FF0D).
std::string U(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string Bytes(unsigned code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

struct Pair {
  char32_t character;
  unsigned bytes;
};

TEST(Cp932Codec, AsciiIsUnchangedBackslashAndTildeIncluded) {
  std::string ascii;
  for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
  EXPECT_EQ(EncodeCp932(ascii), ascii);
  EXPECT_EQ(DecodeCp932(ascii), ascii);
  EXPECT_EQ(EncodeCp932(""), "");
  EXPECT_EQ(DecodeCp932(""), "");
}

TEST(Cp932Codec, WritesTheBytesOfWindowsTable) {
  const Pair kPairs[] = {
      {0xFF5E, 0x8160},  // ～ full-width tilde, the wave dash of Windows
      {0x2225, 0x8161},  // ∥
      {0xFF0D, 0x817C},  // － full-width hyphen-minus
      {0xFF3C, 0x815F},  // ＼
      {0xFFE0, 0x8191},  // ￠
      {0xFFE1, 0x8192},  // ￡
      {0xFFE2, 0x81CA},  // ￢ also in NEC-selected IBM (EEF9) and IBM (FA54)
      {0x2015, 0x815C},  // ― horizontal bar
      {0x2252, 0x81E0},  // ≒ also in NEC row 13 (8790)
      {0x2235, 0x81E6},  // ∵ also 879A and FA5B
      {0x2460, 0x8740},  // ① NEC row 13
      {0x2160, 0x8754},  // Ⅰ NEC row 13 before IBM FA4A
      {0x2116, 0x8782},  // № NEC row 13 before IBM FA59
      {0x3231, 0x878A},  // ㈱ NEC row 13 before IBM FA58
      {0x2170, 0xFA40},  // ⅰ IBM before NEC-selected EEEF
      {0x7E8A, 0xFA5C},  // 纊 IBM before NEC-selected ED40
      {0xFF07, 0xFA56},  // ＇ IBM before NEC-selected EEFC
      {0xFF71, 0xB1},    // ｱ half-width katakana
      {0x3042, 0x82A0},  // あ
      {0x8868, 0x955C},  // 表: its second byte is a backslash
      {0xE000, 0xF040},  // first user-defined character
      {0xE757, 0xF9FC},  // last user-defined character
  };
  for (const Pair& pair : kPairs) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(pair.character));
    EXPECT_EQ(EncodeCp932(U(pair.character)), Bytes(pair.bytes));
    EXPECT_EQ(DecodeCp932(Bytes(pair.bytes)), U(pair.character));
    EXPECT_TRUE(IsCp932Representable(U(pair.character)));
  }
}

TEST(Cp932Codec, KnowsWindowsSingleBytesBeyondTheJisTable) {
  const Pair kPairs[] = {
      {0x0080, 0x80}, {0xF8F0, 0xA0}, {0xF8F1, 0xFD}, {0xF8F2, 0xFE}, {0xF8F3, 0xFF}};
  for (const Pair& pair : kPairs) {
    EXPECT_EQ(EncodeCp932(U(pair.character)), Bytes(pair.bytes));
    EXPECT_EQ(DecodeCp932(Bytes(pair.bytes)), U(pair.character));
  }
  EXPECT_EQ(DecodeCp932("\x80\x41\xFF"), U(0x80) + "A" + U(0xF8F3));
  EXPECT_EQ(EncodeCp932(std::string("x").append(U(0xF8F0)).append(U(0x3042))), "x\xA0\x82\xA0");
}

TEST(Cp932Codec, RefusesCharactersThatWouldComeBackChanged) {
  const char32_t kRefused[] = {
      0x301C,   // 〜 wave dash: 8160 reads back as ～ U+FF5E
      0x00A5,   // ¥: would be written as a backslash
      0x203E,   // ‾: would be written as a tilde
      0x2212,   // − minus sign: 817C reads back as － U+FF0D
      0x2016,   // ‖: 8161 reads back as ∥ U+2225
      0x2014,   // — em dash: 815C reads back as ― U+2015
      0x00A2,   // ¢
      0x00A3,   // £
      0x00AC,   // ¬
      0x00A0,   // no-break space
      0x2022,   // •
      0x2661,   // ♡
      0x1F600,  // an emoji beyond the basic plane
  };
  for (char32_t c : kRefused) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(c));
    EXPECT_EQ(EncodeCp932(U(c)), std::nullopt);
    EXPECT_FALSE(IsCp932Representable("(^_^)" + U(c)));
  }
}

TEST(Cp932Codec, EveryCopyOfADoubledCharacterReadsAsTheSameCharacter) {
  EXPECT_EQ(DecodeCp932("\x87\x90"), U(0x2252));
  EXPECT_EQ(DecodeCp932("\x87\x9A"), U(0x2235));
  EXPECT_EQ(DecodeCp932("\xFA\x5B"), U(0x2235));
  EXPECT_EQ(DecodeCp932("\xFA\x4A"), U(0x2160));
  EXPECT_EQ(DecodeCp932("\xEE\xEF"), U(0x2170));
  EXPECT_EQ(DecodeCp932("\xED\x40"), U(0x7E8A));
  EXPECT_EQ(DecodeCp932("\xEE\xF9"), U(0xFFE2));
  EXPECT_EQ(DecodeCp932("\xFA\x54"), U(0xFFE2));
}

// The whole double-byte table: everything that reads also writes, and a
// character held twice is written in Windows' order of preference.
int PreferenceOf(unsigned code) {
  unsigned lead = code >> 8;
  if (lead == 0x87) return 1;                  // NEC row 13
  if (lead >= 0xFA && lead <= 0xFC) return 2;  // IBM extensions
  if (lead == 0xED || lead == 0xEE) return 3;  // NEC-selected IBM extensions
  return 0;                                    // JIS X 0208 rows, user-defined
}

TEST(Cp932Codec, EveryDoubleByteCharacterRoundTripsInWindowsPreferredForm) {
  int readable = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      unsigned code = lead << 8 | trail;
      std::optional<std::string> text = DecodeCp932(Bytes(code));
      if (!text) continue;
      ++readable;
      std::optional<std::string> written = EncodeCp932(*text);
      ASSERT_TRUE(written) << std::hex << code;
      ASSERT_EQ(written->size(), 2u) << std::hex << code;
      unsigned writtenCode = static_cast<unsigned char>((*written)[0]) << 8 |
                             static_cast<unsigned char>((*written)[1]);
      EXPECT_LE(PreferenceOf(writtenCode), PreferenceOf(code)) << std::hex << code;
      EXPECT_EQ(DecodeCp932(*written), text) << std::hex << code;
    }
  }
  // JIS X 0208 as Microsoft maps it 6879, NEC row 13 83, NEC-selected IBM
  // 374, IBM 388, user-defined 1880.
  EXPECT_EQ(readable, 6879 + 83 + 374 + 388 + 1880);
}

TEST(Cp932Codec, InvalidBytesFailStrictlyAndBecomeReplacementCharacters) {
  const std::string kReplacement = U(0xFFFD);
  EXPECT_EQ(DecodeCp932("\x85\x40"), std::nullopt);  // unassigned
  EXPECT_EQ(DecodeCp932("ab\x81"), std::nullopt);    // lead byte at the end
  EXPECT_EQ(DecodeCp932("\x81\x0A"), std::nullopt);  // lead byte before a line end
  EXPECT_EQ(DecodeCp932Lossy("\x85\x40"), kReplacement + "@");
  EXPECT_EQ(DecodeCp932Lossy("\x85\x80x"), kReplacement + U(0x80) + "x");
  EXPECT_EQ(DecodeCp932Lossy("\x85\x82\xA0"), kReplacement + U(0x3042));
  EXPECT_EQ(DecodeCp932Lossy("ab\x81"), "ab" + kReplacement);
  EXPECT_EQ(DecodeCp932Lossy("\x81\n\x82\xA0"), kReplacement + "\n" + U(0x3042));
  EXPECT_EQ(DecodeCp932Lossy("\x82\xA0(^_^)"), U(0x3042) + "(^_^)");
}

TEST(Cp932Codec, RefusesTextThatIsNotUtf8) {
  EXPECT_EQ(EncodeCp932("\xFF"), std::nullopt);
  EXPECT_EQ(EncodeCp932("a\xE3\x81"), std::nullopt);     // cut short
  EXPECT_EQ(EncodeCp932("\xC0\xAF"), std::nullopt);      // overlong '/'
  EXPECT_EQ(EncodeCp932("\xED\xA0\x80"), std::nullopt);  // a surrogate
}

TEST(Cp932Codec, AboutHalfOfThePublicCorpusFitsCodePage932) {
  std::ifstream corpus(PELORIN_CORPUS, std::ios::binary);
  ASSERT_TRUE(corpus) << PELORIN_CORPUS;
  std::string line;
  int entries = 0;
  int representable = 0;
  while (std::getline(corpus, line)) {
    ++entries;
    std::optional<std::string> bytes = EncodeCp932(line);
    if (!bytes) continue;
    ++representable;
    EXPECT_EQ(DecodeCp932(*bytes), line);
  }
  EXPECT_EQ(entries, 1562);
  EXPECT_EQ(representable, 795);
}

}  // namespace
}  // namespace pelorin::platform
