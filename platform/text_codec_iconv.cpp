#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>

#include "platform/text_codec.h"

// glibc's "CP932" already has Windows' decoding table (0x815F is U+FF3C,
// 0x8160 U+FF5E, 0x817C U+FF0D ...) and writes the same bytes as Windows for
// the characters the table holds twice (the JIS row before NEC row 13, NEC
// row 13 before the IBM rows, the IBM rows FA-FC before NEC's copies in
// ED-EE). It differs in two ways, both handled here:
// - It maps some characters one way only (U+301C, U+00A5, U+2212, U+2016 ...
//   are written as bytes that read back as another character). Windows refuses
//   them; the round-trip check in EncodeCp932 refuses them too.
// - It lacks Windows' five single bytes 0x80 <-> U+0080, 0xA0 <-> U+F8F0 and
//   0xFD, 0xFE, 0xFF <-> U+F8F1..U+F8F3; they are added around iconv. (Wine
//   8 knows only 0x80 of them, so files holding the others read differently
//   there than on Windows and here.)

namespace pelorin::platform {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (Valid()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts from `in` until the input ends or a sequence fails; `in` is left
  // at the failing sequence. Returns 0 when all input was converted, else
  // EILSEQ (invalid or unmappable) or EINVAL (incomplete at the end).
  int Convert(const char*& in, std::size_t& inLeft, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    // Through a fixed buffer: the work for each failing sequence stays small
    // however long the text (a damaged file may fail at every other byte).
    char chunk[8192];
    while (inLeft > 0) {
      char* outPtr = chunk;
      std::size_t outLeft = sizeof chunk;
      char* inPtr = const_cast<char*>(in);  // iconv's signature is not const
      std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      int error = result == static_cast<std::size_t>(-1) ? errno : 0;
      in = inPtr;
      out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
      if (error != 0 && error != E2BIG) return error;
    }
    return 0;
  }

 private:
  iconv_t cd_;
};

// One converter of each direction per thread: the kaomoji files are decoded
// whole, but the settings file converts every key and value separately.
Iconv& Decoder() {
  thread_local Iconv decoder("UTF-8", "CP932");
  return decoder;
}

Iconv& Encoder() {
  thread_local Iconv encoder("CP932", "UTF-8");
  return encoder;
}

// Windows' single bytes that glibc lacks, as UTF-8; nullptr for the others.
const char* ExtraByteAsUtf8(unsigned char byte) {
  switch (byte) {
    case 0x80:
      return "\xC2\x80";
    case 0xA0:
      return "\xEF\xA3\xB0";
    case 0xFD:
      return "\xEF\xA3\xB1";
    case 0xFE:
      return "\xEF\xA3\xB2";
    case 0xFF:
      return "\xEF\xA3\xB3";
    default:
      return nullptr;
  }
}

// The byte for one of those characters at the start of `utf8`, or 0.
unsigned char ExtraByteFor(const char* utf8, std::size_t left) {
  const auto* u = reinterpret_cast<const unsigned char*>(utf8);
  if (left >= 2 && u[0] == 0xC2 && u[1] == 0x80) return 0x80;
  if (left >= 3 && u[0] == 0xEF && u[1] == 0xA3 && u[2] >= 0xB0 && u[2] <= 0xB3) {
    constexpr unsigned char kBytes[] = {0xA0, 0xFD, 0xFE, 0xFF};
    return kBytes[u[2] - 0xB0];
  }
  return 0;
}

std::optional<std::string> Decode(const std::string& bytes, bool lossy) {
  Iconv& decoder = Decoder();
  if (!decoder.Valid()) return std::nullopt;
  std::string out;
  out.reserve(bytes.size() * 3 / 2 + 16);
  const char* in = bytes.data();
  std::size_t left = bytes.size();
  while (decoder.Convert(in, left, out) != 0) {
    if (const char* extra = ExtraByteAsUtf8(static_cast<unsigned char>(*in))) {
      out += extra;
      ++in;
      --left;
      continue;
    }
    if (!lossy) return std::nullopt;
    // One U+FFFD for the one byte that cannot start a character; reading goes
    // on with the next byte, so a broken pair never swallows a line end or
    // the character after it. The Win32 codec replaces the same way.
    out += kReplacement;
    ++in;
    --left;
  }
  return out;
}

// Encodes with glibc's table plus the extra bytes, without the round-trip test.
std::optional<std::string> EncodeOneWay(const std::string& utf8) {
  Iconv& encoder = Encoder();
  if (!encoder.Valid()) return std::nullopt;
  std::string out;
  out.reserve(utf8.size() + 16);
  const char* in = utf8.data();
  std::size_t left = utf8.size();
  while (encoder.Convert(in, left, out) != 0) {
    unsigned char extra = ExtraByteFor(in, left);
    if (extra == 0) return std::nullopt;
    out += static_cast<char>(extra);
    std::size_t width = extra == 0x80 ? 2 : 3;
    in += width;
    left -= width;
  }
  return out;
}

}  // namespace

std::optional<std::string> EncodeCp932(const std::string& utf8) {
  std::optional<std::string> bytes = EncodeOneWay(utf8);
  if (!bytes) return std::nullopt;
  std::optional<std::string> back = Decode(*bytes, false);
  if (!back || *back != utf8) return std::nullopt;
  return bytes;
}

std::optional<std::string> DecodeCp932(const std::string& bytes) { return Decode(bytes, false); }

std::string DecodeCp932Lossy(const std::string& bytes) {
  // Only a missing iconv module makes a lossy decoding fail.
  return Decode(bytes, true).value_or(std::string());
}

bool IsCp932Representable(const std::string& utf8) { return EncodeCp932(utf8).has_value(); }

}  // namespace pelorin::platform
