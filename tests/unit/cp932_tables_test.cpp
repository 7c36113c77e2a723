// The table-driven codec against the plain way of converting with glibc's
// iconv (kept here as the reference): iconv over the whole text, Windows'
// five extra bytes where it stops, one U+FFFD for each byte it cannot read,
// and for writing, the check that the bytes read back as the same text. Every
// byte, every pair of bytes and every character of the basic plane is
// compared, so one wrong table entry fails. No scenario can reach this: a
// scenario holds a handful of characters, the tables hold thousands.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/text_codec.h"
#include "store/unicode_text.h"

namespace pelorin::platform {
namespace {

// Windows' five extra bytes and the characters they stand for.
constexpr char kExtraBytes[] = "\x80\xA0\xFD\xFE\xFF";
constexpr std::string_view kExtraCharacters[] = {"\xC2\x80", "\xEF\xA3\xB0", "\xEF\xA3\xB1",
                                                 "\xEF\xA3\xB2", "\xEF\xA3\xB3"};

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
      const auto extra = std::find_if(std::begin(kExtraCharacters), std::end(kExtraCharacters),
                                      [&](std::string_view character) {
                                        return utf8.compare(at, character.size(), character) == 0;
                                      });
      if (extra == std::end(kExtraCharacters)) return std::nullopt;
      bytes += kExtraBytes[extra - std::begin(kExtraCharacters)];
      at += extra->size();
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

std::string Byte(unsigned b) { return std::string(1, static_cast<char>(b)); }

// Counts the conversions that differ and shows the first few, not thousands.
class Differences {
 public:
  void Compare(const std::string& input, const std::optional<std::string>& got,
               const std::optional<std::string>& expected) {
    if (got == expected) return;
    if (++count_ <= 5) first_ += Hex(input) + (got ? " ->" + Hex(*got) : " refused") + "\n";
  }
  ~Differences() { EXPECT_EQ(count_, 0) << first_; }

 private:
  int count_ = 0;
  std::string first_;
};

TEST(Cp932Tables, EveryByteAndEveryPairReadsAsThroughIconv) {
  ReferenceCodec reference;
  Differences differences;
  for (unsigned first = 0; first < 256; ++first) {
    for (const std::string& bytes : {Byte(first), "ab" + Byte(first)}) {
      differences.Compare(bytes, DecodeCp932(bytes), reference.Decode(bytes, false));
    }
    for (unsigned second = 0; second < 256; ++second) {
      const std::string bytes = Byte(first) + Byte(second) + "\x82";  // a lead byte after the pair
      differences.Compare(bytes, DecodeCp932(bytes), reference.Decode(bytes, false));
      differences.Compare(bytes, DecodeCp932Lossy(bytes), reference.Decode(bytes, true));
    }
  }
}

TEST(Cp932Tables, EveryCharacterOfTheBasicPlaneIsWrittenAsThroughIconv) {
  ReferenceCodec reference;
  Differences differences;
  int written = 0;
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;  // no UTF-8 for surrogates
    std::string text;
    store::AppendUtf8(text, c);
    const std::optional<std::string> expected = reference.Encode(text);
    differences.Compare(text, EncodeCp932(text), expected);
    if (IsCp932Representable(text) != expected.has_value()) differences.Compare(text, "", {});
    if (expected) ++written;
  }
  // Not two codecs that refuse everything: 128 ASCII, 63 half-width
  // katakana, the 5 extra bytes and the double-byte characters that read
  // back unchanged.
  EXPECT_GT(written, 128 + 63 + 5 + 6000);
}

}  // namespace
}  // namespace pelorin::platform
