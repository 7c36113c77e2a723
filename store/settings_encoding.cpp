#include "store/settings_encoding.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/text_codec.h"
#include "store/unicode_text.h"

namespace pelorin::store {

std::optional<SettingsText> DecodeSettingsText(std::string_view bytes) {
  bool hasNonAscii = false;
  auto valid = [](std::string_view utf8) {
    bool ignored = false;
    return IsValidUtf8(utf8, &ignored);
  };
  if (bytes.starts_with(kUtf8Mark)) {
    std::string_view body = bytes.substr(kUtf8Mark.size());
    if (!valid(body)) return std::nullopt;
    return SettingsText{std::string(body), SettingsEncoding::Utf8WithMark};
  }
  // UTF-16 before anything else: FF FE is no valid start of UTF-8 or of
  // code page 932 text that a profile file would hold.
  for (const bool bigEndian : {false, true}) {
    if (!bytes.starts_with(bigEndian ? kUtf16BeMark : kUtf16LeMark)) continue;
    std::optional<std::string> text = DecodeUtf16(bytes.substr(2), bigEndian);
    if (!text) return std::nullopt;
    return SettingsText{std::move(*text),
                        bigEndian ? SettingsEncoding::Utf16Be : SettingsEncoding::Utf16Le};
  }
  if (IsValidUtf8(bytes, &hasNonAscii) && hasNonAscii) {
    return SettingsText{std::string(bytes), SettingsEncoding::Utf8WithoutMark};
  }
  std::optional<std::string> text = platform::DecodeCp932(std::string(bytes));
  if (!text) return std::nullopt;
  return SettingsText{std::move(*text), SettingsEncoding::Cp932};
}

std::string EncodeSettingsText(std::string_view text, SettingsEncoding readIn) {
  bool hasNonAscii = false;
  std::string repaired;
  if (!IsValidUtf8(text, &hasNonAscii)) {
    repaired = RepairUtf8(text);
    text = repaired;
  }
  if (std::optional<std::string> bytes = platform::EncodeCp932(std::string(text))) {
    // Code page 932 bytes that happen to be UTF-8 would read back as UTF-8.
    if (!IsValidUtf8(*bytes, &hasNonAscii) || !hasNonAscii) return std::move(*bytes);
  }
  switch (readIn) {
    case SettingsEncoding::Utf8WithoutMark:
      return std::string(text);
    case SettingsEncoding::Utf16Le:
      return std::string(kUtf16LeMark) + EncodeUtf16(text, false);
    case SettingsEncoding::Utf16Be:
      return std::string(kUtf16BeMark) + EncodeUtf16(text, true);
    case SettingsEncoding::Utf8WithMark:
    case SettingsEncoding::Cp932:
      break;
  }
  return std::string(kUtf8Mark) + std::string(text);
}

}  // namespace pelorin::store
