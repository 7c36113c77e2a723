#include "store/unicode_text.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace pelorin::store {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 character at `at` (Unicode's table 3-7:
// no overlong forms, no surrogates, nothing above U+10FFFF), or 0 with
// `*maximalPart` set to how many bytes one U+FFFD stands for.
std::size_t Utf8CharLength(std::string_view text, std::size_t at, std::size_t* maximalPart) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char first = byte(at);
  if (first < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    if (first == 0xE0) low = 0xA0;
    if (first == 0xED) high = 0x9F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    if (first == 0xF0) low = 0x90;
    if (first == 0xF4) high = 0x8F;
  }
  std::size_t valid = 1;
  while (valid < length && at + valid < text.size()) {
    unsigned char next = byte(at + valid);
    if (next < low || next > high) break;
    low = 0x80;
    high = 0xBF;
    ++valid;
  }
  if (length != 0 && valid == length) return length;
  *maximalPart = valid;
  return 0;
}

constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t Word(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

}  // namespace

bool IsValidUtf8(std::string_view text, bool* hasNonAscii) {
  *hasNonAscii = false;
  std::size_t ignored = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text.size() - i >= 8 && (Word(&text[i]) & kHighBits) == 0) {
      i += 8;  // ASCII, eight bytes at a time (a list of ASCII kaomoji)
      continue;
    }
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    *hasNonAscii = true;
    std::size_t length = Utf8CharLength(text, i, &ignored);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string RepairUtf8(std::string_view text) {
  std::string repaired;
  repaired.reserve(text.size() + 16);
  for (std::size_t i = 0; i < text.size();) {
    std::size_t bad = 0;
    std::size_t length = Utf8CharLength(text, i, &bad);
    if (length != 0) {
      repaired.append(text.substr(i, length));
      i += length;
    } else {
      repaired.append(kReplacement);
      i += bad;
    }
  }
  return repaired;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

namespace {

void AppendUnit(std::string& out, char32_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
}

}  // namespace

std::optional<std::string> DecodeUtf16(std::string_view bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  auto unitAt = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
  };
  std::string text;
  text.reserve(bytes.size() * 3 / 2);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    char32_t unit = unitAt(i);
    if (unit >= 0xDC00 && unit <= 0xDFFF) return std::nullopt;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 4 > bytes.size()) return std::nullopt;
      const char32_t low = unitAt(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(text, unit);
  }
  return text;
}

std::string EncodeUtf16(std::string_view utf8, bool bigEndian) {
  std::string bytes;
  bytes.reserve(utf8.size() * 2);
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t ignored = 0;
    const std::size_t length = Utf8CharLength(utf8, i, &ignored);
    if (length == 0) {  // not for ill-formed text; one U+FFFD keeps it whole
      AppendUnit(bytes, 0xFFFD, bigEndian);
      ++i;
      continue;
    }
    const auto byte = [&](std::size_t k) { return static_cast<char32_t>(utf8[i + k] & 0x3F); };
    const auto first = static_cast<unsigned char>(utf8[i]);
    char32_t cp = length == 1   ? first
                  : length == 2 ? (first & 0x1F) << 6 | byte(1)
                  : length == 3 ? (first & 0x0F) << 12 | byte(1) << 6 | byte(2)
                                : (first & 0x07) << 18 | byte(1) << 12 | byte(2) << 6 | byte(3);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      AppendUnit(bytes, 0xD800 + (cp >> 10), bigEndian);
      AppendUnit(bytes, 0xDC00 + (cp & 0x3FF), bigEndian);
    } else {
      AppendUnit(bytes, cp, bigEndian);
    }
    i += length;
  }
  return bytes;
}

}  // namespace pelorin::store
