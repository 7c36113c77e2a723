// Check 8: the program's code page 932 codec on Windows' own table, where
// the host build pins the same cases against iconv.

#include <optional>
#include <string>

#include "platform/text_codec.h"
#include "tests/e2e/checks.h"

namespace pelorin::e2e {
namespace {

using platform::DecodeCp932;
using platform::DecodeCp932Lossy;
using platform::EncodeCp932;

struct EncodeCase {
  const char* utf8;
  std::optional<std::string> bytes;  // nullopt: refused
};

const EncodeCase kEncodeCases[] = {
    {"顔", std::string("\x8A\xE7")},
    {"～", std::string("\x81\x60")},  // U+FF5E, the tilde Japanese users type
    {"〜", std::nullopt},             // U+301C: not in Windows' table
    {"¥", std::nullopt},              // U+00A5: best fit to 5C only
    {"−", std::nullopt},              // U+2212: best fit to 817C only
    {"≒", std::string("\x81\xE0")},   // also NEC row 13 (8790): JIS wins
    {"ⅰ", std::string("\xFA\x40")},   // IBM extension, not NEC-selected EEEF
    {"(・ω・)", std::string("(\x81\x45\x83\xD6\x81\x45)")},
    {"ʕ•ᴥ•ʔ", std::nullopt},
};

struct DecodeCase {
  std::string bytes;
  std::optional<std::string> utf8;  // nullopt: invalid
};

const DecodeCase kDecodeCases[] = {
    {"\x87\x90", std::string("≒")},
    {"\xEE\xEF", std::string("ⅰ")},
    {"\x81\x60", std::string("～")},
    {"a\x82", std::nullopt},  // a lead byte at the end
    // A single byte Windows maps and glibc does not (the host codec adds it).
    // Windows also maps A0 and FD to FF (to U+F8F0..U+F8F3); wine's table
    // refuses them, so they are pinned on the host only.
    {"\x80", std::string("\xC2\x80")},
};

std::string Hex(const std::optional<std::string>& bytes) {
  if (!bytes) return "refused";
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char c : *bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

}  // namespace

CheckResult CheckCodePage932(Context&) {
  std::string problems;
  for (const EncodeCase& test : kEncodeCases) {
    const auto got = EncodeCp932(test.utf8);
    if (got != test.bytes) problems += std::string(" ") + test.utf8 + "->" + Hex(got);
  }
  for (const DecodeCase& test : kDecodeCases) {
    const auto got = DecodeCp932(test.bytes);
    if (got != test.utf8) {
      problems.append(" ").append(Hex(test.bytes)).append("->").append(got.value_or("invalid"));
    }
  }
  if (DecodeCp932Lossy("a\x82") != "a\xEF\xBF\xBD") problems += " lossy lead byte";
  if (DecodeCp932Lossy("\x85\x40x") != "\xEF\xBF\xBD@x") problems += " lossy unassigned pair";
  if (!problems.empty()) return {false, "unexpected:" + problems};
  return {};
}

}  // namespace pelorin::e2e
