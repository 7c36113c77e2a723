#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

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

  void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  // Converts from `in` until the input ends or a sequence fails, writing at
  // `out`; all four are advanced past what was converted. Returns 0 when all
  // input was converted, else EILSEQ (invalid or unmappable), EINVAL
  // (incomplete at the end) or E2BIG (no room left in `out`).
  int Convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
    char* inPtr = const_cast<char*>(in);  // iconv's signature is not const
    std::size_t result = iconv(cd_, &inPtr, &inLeft, &out, &outLeft);
    in = inPtr;
    return result == static_cast<std::size_t>(-1) ? errno : 0;
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

// The output of a conversion, written by iconv straight into the string.
// Load-bearing for speed: sized for the whole result up front, because with
// a smaller buffer glibc converts the code page 932 step again at every
// refill (about three times the work on a large file).
class Output {
 public:
  explicit Output(std::size_t capacity)
      : text_(capacity, '\0'), end_(text_.data()), left_(capacity) {}

  // Makes room for at least `more` bytes (only when the estimate was short).
  void Grow(std::size_t more) {
    const std::size_t used = Used();
    text_.resize(text_.size() + more + 16);
    end_ = text_.data() + used;
    left_ = text_.size() - used;
  }
  void Append(const char* bytes, std::size_t size) {
    if (left_ < size) Grow(size);
    std::memcpy(end_, bytes, size);
    end_ += size;
    left_ -= size;
  }
  char*& End() { return end_; }
  std::size_t& Left() { return left_; }
  std::string Take() && {
    text_.resize(Used());
    return std::move(text_);
  }

 private:
  std::size_t Used() const { return static_cast<std::size_t>(end_ - text_.data()); }

  std::string text_;
  char* end_;
  std::size_t left_;
};

// A code page 932 byte becomes at most 3 bytes of UTF-8 (a half-width
// katakana, an extra byte, or the U+FFFD in place of a bad one); Japanese
// text, mostly pairs of bytes for 3 bytes of UTF-8, takes one and a half.
// A character of UTF-8 never becomes longer in code page 932.
constexpr std::size_t kMostUtf8PerCp932Byte = 3;
std::size_t Utf8SizeEstimate(std::size_t cp932Size) { return cp932Size + cp932Size / 2 + 64; }

std::optional<std::string> Decode(const std::string& bytes, bool lossy) {
  Iconv& decoder = Decoder();
  if (!decoder.Valid()) return std::nullopt;
  Output out(Utf8SizeEstimate(bytes.size()));
  const char* in = bytes.data();
  std::size_t left = bytes.size();
  decoder.Reset();
  while (int error = decoder.Convert(in, left, out.End(), out.Left())) {
    if (error == E2BIG) {
      out.Grow(left * kMostUtf8PerCp932Byte);
      continue;
    }
    const char* extra = ExtraByteAsUtf8(static_cast<unsigned char>(*in));
    if (extra == nullptr && !lossy) return std::nullopt;
    // One U+FFFD for the one byte that cannot start a character; reading goes
    // on with the next byte, so a broken pair never swallows a line end or
    // the character after it. The Win32 codec replaces the same way.
    const char* shown = extra != nullptr ? extra : kReplacement;
    out.Append(shown, std::strlen(shown));
    ++in;
    --left;
  }
  return std::move(out).Take();
}

// Encodes with glibc's table plus the extra bytes, without the round-trip test.
std::optional<std::string> EncodeOneWay(const std::string& utf8) {
  Iconv& encoder = Encoder();
  if (!encoder.Valid()) return std::nullopt;
  Output out(utf8.size() + 16);
  const char* in = utf8.data();
  std::size_t left = utf8.size();
  encoder.Reset();
  while (int error = encoder.Convert(in, left, out.End(), out.Left())) {
    if (error == E2BIG) {
      out.Grow(left);
      continue;
    }
    unsigned char extra = ExtraByteFor(in, left);
    if (extra == 0) return std::nullopt;
    const char byte = static_cast<char>(extra);
    out.Append(&byte, 1);
    std::size_t width = extra == 0x80 ? 2 : 3;
    in += width;
    left -= width;
  }
  return std::move(out).Take();
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
