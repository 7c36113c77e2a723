#pragma once
// UTF-8 checks and repair, and UTF-16 with either byte order: the text
// encodings that editors save, beside code page 932 (platform/text_codec.h).
// Shared by the kaomoji files and the settings file, which detect them by
// the same rules.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pelorin::store {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Well-formed UTF-8 by Unicode's table 3-7 (no overlong forms, no
// surrogates, nothing above U+10FFFF); `*hasNonAscii` tells whether any byte
// is >= 0x80.
bool IsValidUtf8(std::string_view text, bool* hasNonAscii);

// The text with every ill-formed part replaced by one U+FFFD per maximal
// part, as Unicode recommends.
std::string RepairUtf8(std::string_view text);

// Appends the UTF-8 form of a Unicode scalar value.
void AppendUtf8(std::string& out, char32_t cp);

// UTF-16 bytes (without their mark) -> UTF-8; nullopt for an odd length or
// an unpaired surrogate.
std::optional<std::string> DecodeUtf16(std::string_view bytes, bool bigEndian);

// Well-formed UTF-8 -> UTF-16 bytes, without a mark.
std::string EncodeUtf16(std::string_view utf8, bool bigEndian);

}  // namespace pelorin::store
