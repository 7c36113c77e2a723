#include "store/kaomoji_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_codec.h"
#include "store/unicode_text.h"

namespace pelorin::store {
namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t Word(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// Whether any of the 8 bytes of `word` equals `byte` (the classic zero-byte
// test on word ^ byte).
bool HasByte(std::uint64_t word, unsigned char byte) {
  const std::uint64_t x = word ^ (kEveryByte * byte);
  return ((x - kEveryByte) & ~x & kHighBits) != 0;
}

// The file's text as UTF-8, and how it was stored.
KaomojiFileContent DecodeText(std::string_view bytes, std::string* text) {
  KaomojiFileContent content;
  bool hasNonAscii = false;
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    std::string_view body = bytes.substr(kUtf8Mark.size());
    bool valid = IsValidUtf8(body, &hasNonAscii);
    content.encoding = valid ? KaomojiEncoding::Utf8WithMark : KaomojiEncoding::Damaged;
    *text = valid ? std::string(body) : RepairUtf8(body);
  } else if (IsValidUtf8(bytes, &hasNonAscii) && hasNonAscii) {
    content.encoding = KaomojiEncoding::Utf8WithoutMark;
    *text = std::string(bytes);
  } else {
    std::string raw(bytes);
    if (std::optional<std::string> decoded = platform::DecodeCp932(raw)) {
      content.encoding = KaomojiEncoding::Cp932;
      *text = std::move(*decoded);
    } else {
      content.encoding = KaomojiEncoding::Damaged;
      *text = platform::DecodeCp932Lossy(raw);
    }
  }
  return content;
}

// The first CR or LF from `at`, or `end`. Words without either are skipped
// whole, which made splitting a large list about a sixth faster than going
// byte by byte.
const char* FindLineEnd(const char* at, const char* end) {
  while (end - at >= 8 && !HasByte(Word(at), '\r') && !HasByte(Word(at), '\n')) at += 8;
  while (at < end && *at != '\r' && *at != '\n') ++at;
  return at;
}

}  // namespace

std::vector<std::string> SplitKaomojiLines(std::string_view text) {
  // Room for one entry a LF (the usual line end, alone or after CR), counted
  // with memchr: a byte-by-byte count costs as much as the split itself.
  const char* const end = text.data() + text.size();
  std::size_t lineFeeds = 0;
  for (const char* at = text.data();
       (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at))));
       ++at) {
    ++lineFeeds;
  }
  std::vector<std::string> lines;
  lines.reserve(lineFeeds + 1);
  const char* start = text.data();
  for (const char* at = start; (at = FindLineEnd(at, end)) < end; ++at) {
    lines.emplace_back(start, static_cast<std::size_t>(at - start));
    if (*at == '\r' && at + 1 < end && at[1] == '\n') ++at;
    start = at + 1;
  }
  if (start < end) lines.emplace_back(start, static_cast<std::size_t>(end - start));
  return lines;
}

KaomojiFileContent ParseKaomojiFile(std::string_view bytes) {
  std::string text;
  KaomojiFileContent content = DecodeText(bytes, &text);
  content.entries = SplitKaomojiLines(text);
  return content;
}

std::string SerializeKaomojiFile(const std::vector<std::string>& entries) {
  std::size_t size = 0;
  for (const std::string& entry : entries) size += entry.size() + 2;
  std::string text;
  text.reserve(size + kUtf8Mark.size());
  // Copied into place: appending entry by entry took twice as long.
  text.resize(size);
  char* out = text.data();
  for (const std::string& entry : entries) {
    out = std::copy(entry.begin(), entry.end(), out);
    *out++ = '\r';
    *out++ = '\n';
  }
  bool hasNonAscii = false;
  if (std::optional<std::string> bytes = platform::EncodeCp932(text)) {
    // Code page 932 bytes that happen to be UTF-8 would read back as UTF-8
    // ("ﾃｩ" is C3 A9, which is "é"); such a list is written as UTF-8 too.
    if (!IsValidUtf8(*bytes, &hasNonAscii) || !hasNonAscii) return std::move(*bytes);
  }
  // Ill-formed UTF-8 (a lone surrogate from the window system) is written as
  // the U+FFFD the reader would show, so the file never reads as damaged.
  if (!IsValidUtf8(text, &hasNonAscii)) text = RepairUtf8(text);
  text.insert(0, kUtf8Mark);
  return text;
}

}  // namespace pelorin::store
