// Code page 932 through Windows' own table: what Windows accepts is exactly
// what the program stores.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/text_codec.h"
#include "platform/win32/wide.h"

namespace pelorin::platform {
namespace {

constexpr UINT kCp932 = 932;
constexpr wchar_t kReplacement = 0xFFFD;

std::optional<std::wstring> Utf8ToUtf16Strict(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring result(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, result.data(), length);
  return result;
}

std::optional<std::wstring> Cp932ToUtf16Strict(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int size = static_cast<int>(bytes.size());
  const int length =
      ::MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring result(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), size, result.data(), length);
  return result;
}

// Load-bearing: WC_NO_BEST_FIT_CHARS plus lpUsedDefaultChar is what makes
// Windows report a character it cannot store (U+00A5 would otherwise become
// 0x5C silently).
std::optional<std::string> Utf16ToCp932Strict(std::wstring_view text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int length = ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr,
                                           0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string result(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, text.data(), size, result.data(), length,
                        nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return result;
}

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// One character at a time: a lead byte whose pair is not valid is replaced on
// its own and the byte after it is read again (it may be ASCII).
std::wstring Cp932ToUtf16Lossy(std::string_view bytes) {
  std::wstring result;
  size_t pos = 0;
  while (pos < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (IsLeadByte(byte) && pos + 1 < bytes.size()) {
      if (auto pair = Cp932ToUtf16Strict(bytes.substr(pos, 2))) {
        result += *pair;
        pos += 2;
        continue;
      }
    } else if (auto single = Cp932ToUtf16Strict(bytes.substr(pos, 1))) {
      result += *single;
      ++pos;
      continue;
    }
    result += kReplacement;
    ++pos;
  }
  return result;
}

}  // namespace

std::optional<std::string> EncodeCp932(const std::string& utf8) {
  const auto text = Utf8ToUtf16Strict(utf8);
  if (!text) return std::nullopt;
  auto bytes = Utf16ToCp932Strict(*text);
  if (!bytes) return std::nullopt;
  // Round trip: a character that comes back as another one is not stored.
  const auto back = Cp932ToUtf16Strict(*bytes);
  if (!back || *back != *text) return std::nullopt;
  return bytes;
}

std::optional<std::string> DecodeCp932(const std::string& bytes) {
  const auto text = Cp932ToUtf16Strict(bytes);
  if (!text) return std::nullopt;
  return win32::Narrow(*text);
}

std::string DecodeCp932Lossy(const std::string& bytes) {
  if (const auto text = Cp932ToUtf16Strict(bytes)) return win32::Narrow(*text);
  return win32::Narrow(Cp932ToUtf16Lossy(bytes));
}

bool IsCp932Representable(const std::string& utf8) { return EncodeCp932(utf8).has_value(); }

}  // namespace pelorin::platform
