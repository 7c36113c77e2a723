// The table-driven codec against the plain way of converting with glibc's
// iconv (kept here as the reference): iconv over the whole text, Windows'
// five extra bytes where it stops, one U+FFFD for each byte it cannot read,
// and for writing, the check that the bytes read back as the same text. Every
// byte, every pair of bytes and every character of the basic plane is
// compared, so one wrong table entry fails.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace pelorin::platform {
namespace {

constexpr char kExtraBytes[] = "\x80\xA0\xFD\xFE\xFF";

class ReferenceCodec {
 public:
  ReferenceCodec()
      : decoder_(iconv_open("UTF-8", "CP932")), encoder_(iconv_open("CP932", "UTF-8")) {}
  ~ReferenceCodec() {
    iconv_close(decoder_);
    iconv_close(encoder_);
  }
  ReferenceCodec(const ReferenceCodec&) = delete;
  ReferenceCodec& operator=(const ReferenceCodec&) = delete;

  std::optional<std::string> Decode(const std::string& bytes, bool lossy) {
    static const char* const kExtraCharacters[] = {"\xC2\x80", "\xEF\xA3\xB0", "\xEF\xA3\xB1",
                                                   "\xEF\xA3\xB2", "\xEF\xA3\xB3"};
    std::string text;
    for (std::size_t at = 0;;) {
      at = Convert(decoder_, bytes, at, text);
      if (at == bytes.size()) return text;
      const std::size_t extra = std::string_view(kExtraBytes).find(bytes[at]);
      if (extra == std::string_view::npos && !lossy) return std::nullopt;
      text += extra == std::string_view::npos ? "\xEF\xBF\xBD" : kExtraCharacters[extra];
      ++at;
    }
  }

  std::optional<std::string> Encode(const std::string& utf8) {
    std::string bytes;
    for (std::size_t at = 0;;) {
      at = Convert(encoder_, utf8, at, bytes);
      if (at == utf8.size()) break;
      const std::string rest = utf8.substr(at, 3);
      if (rest.compare(0, 2, "\xC2\x80") == 0) {
        bytes += '\x80';
        at += 2;
      } else if (rest.size() == 3 && rest.compare(0, 2, "\xEF\xA3") == 0 && rest[2] >= '\xB0' &&
                 rest[2] <= '\xB3') {
        bytes += kExtraBytes[1 + rest[2] - '\xB0'];
        at += 3;
      } else {
        return std::nullopt;
      }
    }
    if (Decode(bytes, false) != utf8) return std::nullopt;
    return bytes;
  }

 private:
  // Converts from `at` until the input ends or iconv stops; returns where.
  static std::size_t Convert(iconv_t cd, const std::string& in, std::size_t at, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string buffer(3 * (in.size() - at) + 16, '\0');
    char* inPtr = const_cast<char*>(in.data()) + at;
    std::size_t inLeft = in.size() - at;
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    return in.size() - inLeft;
  }

  iconv_t decoder_;
  iconv_t encoder_;
};

std::string Hex(const std::string& bytes) {
  std::ostringstream out;
  out << std::hex;
  for (char c : bytes) out << ' ' << static_cast<unsigned>(static_cast<unsigned char>(c));
  return out.str();
}

std::string Shown(const std::optional<std::string>& text) {
  return text ? std::string("[").append(Hex(*text)).append(" ]") : "nullopt";
}

std::string U(char32_t c) {
  std::string s;
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
  } else {
    if (c < 0x10000) {
      s += static_cast<char>(0xE0 | (c >> 12));
    } else {
      s += static_cast<char>(0xF0 | (c >> 18));
      s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    }
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  s += static_cast<char>(0x80 | (c & 0x3F));
  return s;
}

// Compares many conversions and lists the first differences, not thousands.
class Comparison {
 public:
  void Decoding(const std::string& bytes) {
    Same("DecodeCp932" + Hex(bytes), DecodeCp932(bytes), reference_.Decode(bytes, false));
    Same("DecodeCp932Lossy" + Hex(bytes), DecodeCp932Lossy(bytes), reference_.Decode(bytes, true));
  }
  void Encoding(const std::string& utf8) {
    const std::optional<std::string> expected = reference_.Encode(utf8);
    Same("EncodeCp932" + Hex(utf8), EncodeCp932(utf8), expected);
    if (IsCp932Representable(utf8) != expected.has_value())
      Differs("IsCp932Representable" + Hex(utf8));
  }
  int Compared() const { return compared_; }
  ~Comparison() { EXPECT_EQ(differences_, 0) << firstDifferences_; }

 private:
  void Same(const std::string& what, const std::optional<std::string>& got,
            const std::optional<std::string>& expected) {
    ++compared_;
    if (got != expected) Differs(what + ": " + Shown(got) + " instead of " + Shown(expected));
  }
  void Differs(const std::string& what) {
    if (++differences_ <= 10) firstDifferences_ += what + "\n";
  }

  ReferenceCodec reference_;
  int compared_ = 0;
  int differences_ = 0;
  std::string firstDifferences_;
};

std::string Byte(unsigned b) { return std::string(1, static_cast<char>(b)); }

TEST(Cp932Tables, EveryByteAndEveryPairReadsAsThroughIconv) {
  Comparison compare;
  compare.Decoding("");
  for (unsigned first = 0; first < 256; ++first) {
    compare.Decoding(Byte(first));
    compare.Decoding("ab" + Byte(first));  // a lead byte at the end, after text
    for (unsigned second = 0; second < 256; ++second) compare.Decoding(Byte(first) + Byte(second));
  }
  EXPECT_EQ(compare.Compared(), 2 * (1 + 2 * 256 + 256 * 256));
}

TEST(Cp932Tables, EveryPairReadsAsThroughIconvBeforeALeadByteOrAPair) {
  Comparison compare;
  for (unsigned first = 0; first < 256; ++first) {
    for (unsigned second = 0; second < 256; ++second) {
      const std::string pair = Byte(first) + Byte(second);
      compare.Decoding(pair + "\x82");
      compare.Decoding(pair + "\x82\xA0" + "A");
    }
  }
}

TEST(Cp932Tables, RandomByteStringsReadAsThroughIconv) {
  // Drawn mostly from the bytes that matter: lead bytes, the bytes after
  // them, ASCII line ends and the extra bytes.
  const std::string kInteresting =
      "\x81\x82\x87\x9F\xE0\xEA\xED\xEE\xFA\xFC\x40\x7E\x7F\x80\xA0"
      "\xA1\xDF\xFD\xFE\xFF\r\n\\~ ";
  std::mt19937 random(932);
  Comparison compare;
  for (int i = 0; i < 20000; ++i) {
    std::string bytes;
    const std::size_t length = random() % 24;
    for (std::size_t j = 0; j < length; ++j) {
      bytes += random() % 2 ? kInteresting[random() % kInteresting.size()]
                            : static_cast<char>(random() % 256);
    }
    compare.Decoding(bytes);
    compare.Encoding(bytes);  // mostly not UTF-8: refused by both
  }
}

TEST(Cp932Tables, LongTextsThatGrowThreefoldReadAsThroughIconv) {
  // Half-width katakana, extra bytes and bad bytes each become 3 bytes of
  // UTF-8: far more than a text of pairs, for which the room is made.
  Comparison compare;
  for (const std::string unit : {"\xB1", "\xFF", "\x85", "\xB1\x82\xA0", "\xDF\x81"}) {
    std::string bytes;
    while (bytes.size() < 50000) bytes += unit;
    compare.Decoding(bytes);
    compare.Decoding("a" + bytes);
  }
}

TEST(Cp932Tables, EveryCharacterOfTheBasicPlaneIsWrittenAsThroughIconv) {
  Comparison compare;
  int written = 0;
  for (char32_t c = 0; c < 0x10000; ++c) {
    // Surrogates give ill-formed UTF-8, refused by both.
    compare.Encoding(U(c));
    compare.Encoding(std::string("(").append(U(c)).append(U(0x3042)).append(U(0xFF9F)).append(")"));
    if (EncodeCp932(U(c))) ++written;
  }
  // Not two codecs that refuse everything: 128 ASCII, 63 half-width
  // katakana, the 5 extra bytes and the double-byte characters that read
  // back unchanged.
  EXPECT_GT(written, 128 + 63 + 5 + 6000);
}

TEST(Cp932Tables, NothingBeyondTheBasicPlaneIsWritten) {
  Comparison compare;
  for (char32_t c = 0x10000; c <= 0x10FFFF; c += 0x7F) compare.Encoding(U(c));
  for (char32_t c : {0x1F600, 0x20B9F, 0x2A6B2, 0x10FFFF}) {
    compare.Encoding(U(c));
    EXPECT_EQ(EncodeCp932(U(c)), std::nullopt);
  }
}

TEST(Cp932Tables, IllFormedUtf8IsRefusedAsThroughIconv) {
  Comparison compare;
  for (const char* text : {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xE0\x9F\xBF", "\xED\xA0\x80",
                           "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xE3\x81",
                           "\xE3", "\x80", "\xBF", "a\xC2", "\xC2\x80\x80", "\xEF\xA3"}) {
    compare.Encoding(text);
    compare.Encoding(std::string("(^_^)") + text + "(^_^)");
  }
}

TEST(Cp932Tables, TheCorpusConvertsAsThroughIconv) {
  std::ifstream corpus(PELORIN_CORPUS, std::ios::binary);
  ASSERT_TRUE(corpus) << PELORIN_CORPUS;
  Comparison compare;
  std::string all;
  for (std::string line; std::getline(corpus, line);) {
    compare.Encoding(line);
    if (std::optional<std::string> bytes = EncodeCp932(line)) compare.Decoding(*bytes);
    compare.Decoding(line);  // UTF-8 read as code page 932: pairs and bad bytes mixed
    all += line + "\r\n";
  }
  compare.Encoding(all);
  compare.Decoding(all);
  EXPECT_GE(compare.Compared(), 3 * 1562);  // every line of the corpus
}

}  // namespace
}  // namespace pelorin::platform
