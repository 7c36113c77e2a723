#pragma once
// The encodings 設定.ini is read in, by the rules of the kaomoji files: a
// byte-order mark names UTF-8 or UTF-16 (either byte order); bytes without a
// mark that are valid UTF-8 and not plain ASCII are UTF-8; everything else is
// code page 932. Bytes that are valid in none of these have no text.
//
// Written back in one encoding throughout: code page 932 when the whole text
// round-trips through it and its bytes would be read as code page 932 again
// (which keeps the file as programs that read code page 932 expect it);
// otherwise the encoding the file was read in, or UTF-8 with the mark for a
// file that was code page 932 or missing.

#include <optional>
#include <string>
#include <string_view>

namespace pelorin::store {

enum class SettingsEncoding { Cp932, Utf8WithMark, Utf8WithoutMark, Utf16Le, Utf16Be };

struct SettingsText {
  std::string text;  // UTF-8, without the mark
  SettingsEncoding encoding = SettingsEncoding::Cp932;
};

// nullopt: the bytes are valid in none of the encodings.
std::optional<SettingsText> DecodeSettingsText(std::string_view bytes);

// `text` is UTF-8; ill-formed parts are written as U+FFFD.
std::string EncodeSettingsText(std::string_view text, SettingsEncoding readIn);

}  // namespace pelorin::store
