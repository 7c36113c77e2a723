#include "categories/category_names.h"

#include "categories/category_messages.h"
#include "platform/text_codec.h"
#include "store/file_names.h"
#include "store/profile_document.h"
#include "store/unicode_text.h"

namespace pelorin::categories {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at `pos` (advancing it); invalid bytes give
// kInvalid and advance by one.
char32_t NextCodePoint(std::string_view s, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
  if (length == 0 || pos + length > s.size()) {
    ++pos;
    return kInvalid;
  }
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  pos += length;
  return cp;
}

char32_t FoldCodePoint(char32_t cp) {
  if (cp >= U'A' && cp <= U'Z') return cp + 0x20;
  if (cp >= 0xFF21 && cp <= 0xFF3A) return cp + 0x20;  // full-width Latin
  if (cp >= 0x0391 && cp <= 0x03A9 && cp != 0x03A2) return cp + 0x20;  // Greek
  if (cp >= 0x0410 && cp <= 0x042F) return cp + 0x20;  // Cyrillic
  if (cp == 0x0401) return 0x0451;                     // Ё
  if (cp >= 0x2160 && cp <= 0x216F) return cp + 0x10;  // Roman numerals
  return cp;
}

bool HasForbiddenCharacter(std::string_view name) {
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return name.find_first_of(",\\/:*?\"<>|") != std::string_view::npos;
}

}  // namespace

bool IsBlank(std::string_view text) {
  while (!text.empty()) {
    if (text.front() == ' ') {
      text.remove_prefix(1);
    } else if (text.starts_with(kIdeographicSpace)) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      return false;
    }
  }
  return true;
}

std::string FoldCase(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t start = pos;
    const char32_t cp = NextCodePoint(utf8, pos);
    // Invalid bytes are kept as they are, so two different names never fold
    // into the same one.
    if (cp == kInvalid) {
      folded += utf8[start];
    } else {
      store::AppendUtf8(folded, FoldCodePoint(cp));
    }
  }
  return folded;
}

std::optional<std::string> RefusalOf(const std::string& name,
                                     const std::vector<std::string>& others) {
  if (HasForbiddenCharacter(name)) return kNameBadCharacter;
  if (store::IsDeviceName(name)) return kNameReserved;
  if (name.size() > kLongestNameBytes) return kNameTooLong;
  if (!platform::IsCp932Representable(name)) return kNameNotCp932;
  // The same rule the settings file keeps for its keys.
  if (!store::IsStorableKey(name)) return kNameBadForSettings;
  const std::string folded = FoldCase(name);
  for (const std::string& other : others) {
    if (FoldCase(other) == folded) return kNameDiffersOnlyInCase;
  }
  return std::nullopt;
}

}  // namespace pelorin::categories
