#include "platform/cp932_tables.h"

#include <iconv.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// glibc's "CP932" already has Windows' decoding table (0x815F is U+FF3C,
// 0x8160 U+FF5E, 0x817C U+FF0D ...) and writes the same bytes as Windows for
// the characters the table holds twice (the JIS row before NEC row 13, NEC
// row 13 before the IBM rows, the IBM rows FA-FC before NEC's copies in
// ED-EE). It differs in two ways, both handled here:
// - It maps some characters one way only (U+301C, U+00A5, U+2212, U+2016 ...
//   are written as bytes that read back as another character). Windows refuses
//   them; only characters whose bytes read back as themselves are encodable.
// - It lacks Windows' five single bytes 0x80 <-> U+0080, 0xA0 <-> U+F8F0 and
//   0xFD, 0xFE, 0xFF <-> U+F8F1..U+F8F3; they are added where iconv fails.
//   (Wine 8 knows only 0x80 of them, so files holding the others read
//   differently there than on Windows and here.)

namespace pelorin::platform {
namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (Valid()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // All of `in` converted, or nullopt when iconv stops before its end.
  std::optional<std::string> ConvertAll(const std::string& in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[32];
    char* inPtr = const_cast<char*>(in.data());  // iconv's signature is not const
    std::size_t inLeft = in.size();
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(cd_, &inPtr, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    return std::string(buffer, static_cast<std::size_t>(out - buffer));
  }

 private:
  iconv_t cd_;
};

struct ExtraByte {
  unsigned char byte;
  char16_t character;
};
constexpr ExtraByte kExtraBytes[] = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

std::string Utf8Of(char16_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// One character of iconv's UTF-8 output in table form; nullopt when the
// output is not exactly one character of the basic plane.
std::optional<Utf8Char> ToUtf8Char(const std::string& utf8) {
  if (utf8.empty()) return std::nullopt;
  const auto first = static_cast<unsigned char>(utf8[0]);
  const std::size_t length = first < 0x80                    ? 1
                             : first >= 0xC0 && first < 0xE0 ? 2
                             : first >= 0xE0 && first < 0xF0 ? 3
                                                             : 0;
  if (length == 0 || utf8.size() != length) return std::nullopt;
  Utf8Char c;
  for (std::size_t i = 0; i < length; ++i) c.bytes[i] = utf8[i];
  c.size = static_cast<std::uint8_t>(length);
  return c;
}

char16_t CodeOf(const Utf8Char& c) {
  const auto byte = [&](int i) {
    return static_cast<unsigned>(static_cast<unsigned char>(c.bytes[i]));
  };
  if (c.size == 1) return static_cast<char16_t>(byte(0));
  if (c.size == 2) return static_cast<char16_t>((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F));
  return static_cast<char16_t>((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F));
}

}  // namespace

// Fills the tables by asking iconv. Fails (returns false) only on a converter
// that is not code page 932 as glibc has it: ASCII not read as itself, 0xFF
// beginning a pair, or a byte sequence read as more than one character.
class Cp932TableBuilder {
 public:
  explicit Cp932TableBuilder(Cp932Tables& tables) : t_(tables) {}

  bool Build() {
    Iconv decoder("UTF-8", "CP932");
    Iconv encoder("CP932", "UTF-8");
    if (!decoder.Valid() || !encoder.Valid()) return false;
    t_.rows_.assign(1, {});
    for (unsigned byte = 0; byte < 256; ++byte) {
      if (!ReadByte(decoder, static_cast<unsigned char>(byte))) return false;
    }
    t_.encoded_.assign(0x10000, Cp932Tables::kNotEncodable);
    const std::vector<bool> read = ReadCharacters();
    for (char32_t c = 0; c < 0x10000; ++c) {
      if (read[c]) WriteCharacter(encoder, static_cast<char16_t>(c));
    }
    if (t_.StartsPair(0xFF)) return false;  // kNotEncodable stays no code
    for (unsigned char byte = 0; byte < 0x80; ++byte) {
      const Utf8Char& c = t_.Alone(byte);
      if (t_.StartsPair(byte) || c.size != 1 || c.bytes[0] != static_cast<char>(byte) ||
          t_.Encoded(byte) != byte) {
        return false;
      }
    }
    return true;
  }

 private:
  // What iconv reads for the byte alone, else for the byte and each possible
  // next byte. Where it reads nothing, the five extra bytes are added.
  bool ReadByte(Iconv& decoder, unsigned char byte) {
    if (std::optional<std::string> alone = decoder.ConvertAll(std::string(1, static_cast<char>(byte)))) {
      std::optional<Utf8Char> c = ToUtf8Char(*alone);
      if (!c) return false;
      t_.alone_[byte] = *c;
      return true;
    }
    std::array<Utf8Char, 256> row{};
    bool any = false;
    for (unsigned trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(byte), static_cast<char>(trail)};
      if (std::optional<std::string> read = decoder.ConvertAll(pair)) {
        std::optional<Utf8Char> c = ToUtf8Char(*read);
        if (!c) return false;
        row[trail] = *c;
        any = true;
      }
    }
    if (any) {
      t_.rowOfLead_[byte] = static_cast<std::uint16_t>(t_.rows_.size());
      t_.rows_.push_back(row);
    }
    for (const ExtraByte& extra : kExtraBytes) {
      if (extra.byte == byte) t_.alone_[byte] = *ToUtf8Char(Utf8Of(extra.character));
    }
    return true;
  }

  // The characters some byte or pair reads as: only those can be written so
  // that they read back unchanged.
  std::vector<bool> ReadCharacters() const {
    std::vector<bool> read(0x10000, false);
    for (const Utf8Char& alone : t_.alone_) {
      if (alone.size != 0) read[CodeOf(alone)] = true;
    }
    for (const auto& row : t_.rows_) {
      for (const Utf8Char& pair : row) {
        if (pair.size != 0) read[CodeOf(pair)] = true;
      }
    }
    return read;
  }

  // iconv's bytes for the character (the extra byte where iconv has none),
  // kept when they read back as the same character. cp932 has no state, so
  // this holds in any text, as long as a single byte written begins no pair.
  void WriteCharacter(Iconv& encoder, char16_t c) {
    std::optional<std::string> bytes = encoder.ConvertAll(Utf8Of(c));
    if (!bytes) {
      for (const ExtraByte& extra : kExtraBytes) {
        if (extra.character == c) bytes = std::string(1, static_cast<char>(extra.byte));
      }
    }
    if (!bytes) return;
    const auto first = static_cast<unsigned char>(bytes->empty() ? 0 : (*bytes)[0]);
    if (bytes->size() == 1 && !t_.StartsPair(first) && t_.Alone(first).size != 0 &&
        CodeOf(t_.Alone(first)) == c) {
      t_.encoded_[c] = first;
    } else if (bytes->size() == 2) {
      const auto second = static_cast<unsigned char>((*bytes)[1]);
      const Utf8Char& read = t_.Pair(first, second);
      if (read.size != 0 && CodeOf(read) == c) {
        t_.encoded_[c] = static_cast<std::uint16_t>(first << 8 | second);
      }
    }
  }

  Cp932Tables& t_;
};

const Cp932Tables* Cp932TablesFromIconv() {
  static const std::unique_ptr<const Cp932Tables> tables = [] {
    auto built = std::make_unique<Cp932Tables>();
    if (!Cp932TableBuilder(*built).Build()) built.reset();
    return std::unique_ptr<const Cp932Tables>(std::move(built));
  }();
  return tables.get();
}

}  // namespace pelorin::platform
