#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "platform/cp932_tables.h"
#include "platform/text_codec.h"

// Converts with tables read once from glibc's iconv (cp932_tables.cpp says
// what they hold) instead of calling iconv for every text; the results are
// the same (tests/unit/cp932_tables_test.cpp compares them all).
//
// No separate path for runs of ASCII: in kaomoji, ASCII comes in short runs
// between other characters, and testing for it made both directions about a
// fifth slower on a large kaomoji file.

namespace pelorin::platform {
namespace {

constexpr Utf8Char kReplacement = {{'\xEF', '\xBF', '\xBD'}, 3};  // U+FFFD
static_assert(sizeof(Utf8Char) == 4, "a character is copied as one 4-byte word");

// Decodes from `in` up to `stop` (a pair begun just before it takes one byte
// more, up to `end`), writing at `out`; both are advanced. False at a byte
// that cannot start a character, unless `lossy`.
bool DecodeStretch(const Cp932Tables& tables, const unsigned char*& inRef,
                   const unsigned char* stop, const unsigned char* end, char*& outRef, bool lossy) {
  const unsigned char* in = inRef;
  char* out = outRef;
  while (in < stop) {
    // A byte that begins no pair has only empty pairs, so one lookup tells a
    // pair from a single byte. At the end, in[1] is the string's terminating
    // NUL: looked up, never taken.
    const Utf8Char& pair = tables.Pair(in[0], in[1]);
    const bool paired = pair.size != 0 && end - in >= 2;
    const Utf8Char* c = paired ? &pair : &tables.Alone(in[0]);
    in += paired ? 2 : 1;
    // One U+FFFD for the one byte that cannot start a character; reading goes
    // on with the next byte, so a broken pair never swallows a line end or
    // the character after it. The Win32 codec replaces the same way.
    if (c->size == 0) {
      if (!lossy) return false;
      c = &kReplacement;
    }
    std::memcpy(out, c, sizeof *c);
    out += c->size;
  }
  inRef = in;
  outRef = out;
  return true;
}

// Japanese text, mostly pairs of bytes for 3 bytes of UTF-8, takes about one
// and a half times its size. Load-bearing for speed: a result sized for the
// worst case (3 bytes a byte) costs more in fresh memory than the decoding.
std::size_t Utf8SizeEstimate(std::size_t cp932Size) { return cp932Size + cp932Size / 2 + 64; }

std::optional<std::string> Decode(const std::string& bytes, bool lossy) {
  const Cp932Tables* tables = Cp932TablesFromIconv();
  if (tables == nullptr) return std::nullopt;
  constexpr std::ptrdiff_t kStretch = 4096;
  std::string text(Utf8SizeEstimate(bytes.size()), '\0');
  std::size_t used = 0;
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = in + bytes.size();
  while (in < end) {
    const unsigned char* stop = in + std::min(end - in, kStretch);
    // Room for the worst case: 3 bytes of UTF-8 a byte (a half-width
    // katakana, an extra byte or a U+FFFD), and one more because the last
    // character is copied as a 4-byte word.
    const std::size_t room = 3 * static_cast<std::size_t>(stop - in) + 1;
    if (text.size() - used < room) text.resize(std::max(used + room, 2 * text.size()));
    char* out = text.data() + used;
    if (!DecodeStretch(*tables, in, stop, end, out, lossy)) return std::nullopt;
    used = static_cast<std::size_t>(out - text.data());
  }
  text.resize(used);
  return text;
}

// The character of the well-formed UTF-8 at `in` when it lies in the basic
// plane (nothing beyond it is code page 932); advances `in` past it.
std::optional<char16_t> NextCharacter(const unsigned char*& in, const unsigned char* end) {
  const unsigned first = in[0];
  const auto continuation = [&](std::ptrdiff_t i, unsigned low) {
    return end - in > i && in[i] >= low && in[i] <= 0xBF;
  };
  if (first < 0x80) {
    in += 1;
    return static_cast<char16_t>(first);
  }
  if (first >= 0xC2 && first <= 0xDF && continuation(1, 0x80)) {
    in += 2;
    return static_cast<char16_t>((first & 0x1F) << 6 | (in[-1] & 0x3F));
  }
  // Surrogates (ED A0..BF) pass here, but no byte reads as one, so the
  // table refuses them.
  if (first >= 0xE0 && first <= 0xEF && continuation(1, first == 0xE0 ? 0xA0 : 0x80) &&
      continuation(2, 0x80)) {
    in += 3;
    return static_cast<char16_t>((first & 0x0F) << 12 | (in[-2] & 0x3F) << 6 | (in[-1] & 0x3F));
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> EncodeCp932(const std::string& utf8) {
  const Cp932Tables* tables = Cp932TablesFromIconv();
  if (tables == nullptr) return std::nullopt;
  // A character never becomes longer: ASCII stays one byte (the tables
  // guarantee it), the others (2 or 3 bytes of UTF-8) become one or two.
  std::string bytes(utf8.size(), '\0');
  char* out = bytes.data();
  const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = in + utf8.size();
  while (in < end) {
    // The table holds only characters whose bytes read back as themselves,
    // so what is written always decodes to the same text.
    const std::optional<char16_t> c = NextCharacter(in, end);
    if (!c) return std::nullopt;
    const std::uint16_t code = tables->Encoded(*c);
    if (code == Cp932Tables::kNotEncodable) return std::nullopt;
    if (code >= 0x100) *out++ = static_cast<char>(code >> 8);
    *out++ = static_cast<char>(code & 0xFF);
  }
  bytes.resize(static_cast<std::size_t>(out - bytes.data()));
  return bytes;
}

std::optional<std::string> DecodeCp932(const std::string& bytes) { return Decode(bytes, false); }

std::string DecodeCp932Lossy(const std::string& bytes) {
  // Only a missing iconv module makes a lossy decoding fail.
  return Decode(bytes, true).value_or(std::string());
}

bool IsCp932Representable(const std::string& utf8) { return EncodeCp932(utf8).has_value(); }

}  // namespace pelorin::platform
