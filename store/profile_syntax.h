#pragma once
// How the lines of a profile file read, on its text in UTF-8: shared by
// ProfileDocument (which edits the lines) and ProfileIndex (which finds
// values without a scan). The rules are those of store/profile_document.h.
// In UTF-8 every byte of a character beyond ASCII is 0x80 or above, so the
// ASCII bytes that the syntax looks for ('[', ']', '=', ';', letters) are
// always characters of their own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pelorin::store {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

std::string_view TrimBlanks(std::string_view text);
std::size_t FirstNonBlank(std::string_view text);

// The section's name when the line is a section header.
std::optional<std::string_view> SectionName(std::string_view line);

// The key of a key line of a section, exactly as written.
std::optional<std::string_view> KeyName(std::string_view line);

// Appends the name with every ASCII letter made upper case: two names match
// (EqualsIgnoringAsciiCase) exactly when their folded forms are equal.
void AppendFoldedName(std::string& to, std::string_view name);

// The lines of the file's bytes in place: a line ends at CR LF, CR or LF,
// and the end of the file ends a last line that has no line end.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  std::optional<std::string_view> Next() {
    if (at_ >= bytes_.size()) return std::nullopt;
    std::size_t end = at_;
    while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n') ++end;
    std::string_view line = bytes_.substr(at_, end - at_);
    at_ = end + 1;
    if (end + 1 < bytes_.size() && bytes_[end] == '\r' && bytes_[end + 1] == '\n') ++at_;
    return line;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

}  // namespace pelorin::store
