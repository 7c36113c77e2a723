#include "search/search_folding.h"

#include <cstddef>

#include "store/unicode_text.h"

namespace pelorin::search {
namespace {

constexpr char32_t kFullWidthFirst = 0xFF01;
constexpr char32_t kFullWidthLast = 0xFF5E;
constexpr char32_t kHalfKanaFirst = 0xFF65;
constexpr char32_t kHalfKanaLast = 0xFF9F;
constexpr char32_t kHalfVoicedMark = 0xFF9E;
constexpr char32_t kHalfSemiVoicedMark = 0xFF9F;

// U+FF65 to U+FF9F in order: their compatibility mappings.
constexpr char16_t kHalfKana[] = {
    0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7,
    0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF,
    0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4,
    0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8,
    0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x3099, 0x309A,
};
static_assert(sizeof kHalfKana / sizeof kHalfKana[0] == kHalfKanaLast - kHalfKanaFirst + 1);

bool InHaRow(char32_t kana) {
  return kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0;
}

// The kana with the voiced mark (canonical composition), or 0 when it takes none.
char32_t WithVoicedMark(char32_t kana) {
  // カ to ヂ: every other code point; ツ, テ, ト; the ハ row.
  if (kana >= 0x30AB && kana <= 0x30C1 && (kana - 0x30AB) % 2 == 0) return kana + 1;
  if (kana == 0x30C4 || kana == 0x30C6 || kana == 0x30C8) return kana + 1;
  if (InHaRow(kana)) return kana + 1;
  if (kana == 0x30A6) return 0x30F4;  // ヴ
  if (kana == 0x30EF) return 0x30F7;  // ヷ
  if (kana == 0x30F2) return 0x30FA;  // ヺ
  return 0;
}

char32_t WithSemiVoicedMark(char32_t kana) { return InHaRow(kana) ? kana + 2 : 0; }

// The code point of the three-byte sequence EF xx xx at `at` within U+FF00 to
// U+FFFF, or 0 when the bytes there are not one.
char32_t HalfAndFullWidthAt(std::string_view text, std::size_t at) {
  if (at + 2 >= text.size() || static_cast<unsigned char>(text[at]) != 0xEF) return 0;
  const auto second = static_cast<unsigned char>(text[at + 1]);
  const auto third = static_cast<unsigned char>(text[at + 2]);
  if ((second != 0xBC && second != 0xBD && second != 0xBE && second != 0xBF) ||
      (third & 0xC0) != 0x80) {
    return 0;
  }
  return 0xF000 | ((second & 0x3F) << 6) | (third & 0x3F);
}

char LowerAscii(char32_t c) {
  return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      folded += LowerAscii(byte);
      ++at;
      continue;
    }
    const char32_t c = HalfAndFullWidthAt(text, at);
    if (c >= kFullWidthFirst && c <= kFullWidthLast) {
      folded += LowerAscii(c - kFullWidthFirst + 0x21);
      at += 3;
      continue;
    }
    if (c < kHalfKanaFirst || c > kHalfKanaLast) {
      folded += text[at++];
      continue;
    }
    char32_t kana = kHalfKana[c - kHalfKanaFirst];
    at += 3;
    const char32_t mark = HalfAndFullWidthAt(text, at);
    const char32_t joined = mark == kHalfVoicedMark       ? WithVoicedMark(kana)
                            : mark == kHalfSemiVoicedMark ? WithSemiVoicedMark(kana)
                                                          : 0;
    if (joined != 0 && c != kHalfVoicedMark && c != kHalfSemiVoicedMark) {
      kana = joined;
      at += 3;
    }
    store::AppendUtf8(folded, kana);
  }
  return folded;
}

}  // namespace pelorin::search
