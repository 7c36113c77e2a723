#include "store/profile_document.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin::store {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsLeadByte(char c) {
  auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The first ']' from `from` that is a character of its own: ']' is also a
// valid second byte of a double-byte character (0x895D ...).
std::size_t FindClosingBracket(std::string_view text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i) {
    if (IsLeadByte(text[i])) {
      ++i;
    } else if (text[i] == ']') {
      return i;
    }
  }
  return std::string_view::npos;
}

std::size_t FirstNonBlank(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

// The section's name when the line is a section header.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::size_t open = FirstNonBlank(line);
  if (open == line.size() || line[open] != '[') return std::nullopt;
  std::size_t close = FindClosingBracket(line, open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(open + 1, close - open - 1));
}

// The key of a key line of a section, exactly as written.
std::optional<std::string_view> KeyName(std::string_view line) {
  if (!line.empty() && line.front() == ';') return std::nullopt;
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return line.substr(0, equals);
}

// A lead byte without its second byte at the end would take the next byte
// (the ']' of "[section]") as its own.
bool EndsInsideCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(text[i]) && ++i == text.size()) return true;
  }
  return false;
}

bool IsBlankLine(std::string_view line) { return FirstNonBlank(line) == line.size(); }

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

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

// The value of `key` in the first section named `section`; `nextLine`
// gives the lines one by one (nullopt after the last).
template <typename NextLine>
std::optional<std::string> FindValue(NextLine nextLine, std::string_view section,
                                     std::string_view key) {
  bool inSection = false;
  while (std::optional<std::string_view> line = nextLine()) {
    if (std::optional<std::string_view> name = SectionName(*line)) {
      if (inSection) return std::nullopt;  // only the first such section counts
      inSection = Cp932EqualsIgnoringAsciiCase(*name, section);
      continue;
    }
    if (!inSection) continue;
    std::optional<std::string_view> lineKey = KeyName(*line);
    if (lineKey && Cp932EqualsIgnoringAsciiCase(*lineKey, key)) {
      return std::string(line->substr(lineKey->size() + 1));
    }
  }
  return std::nullopt;
}

}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view bytes) {
  ProfileDocument document;
  LineReader lines(bytes);
  while (std::optional<std::string_view> line = lines.Next()) document.lines_.emplace_back(*line);
  return document;
}

std::optional<std::string> ProfileDocument::Get(std::string_view section,
                                                std::string_view key) const {
  std::size_t next = 0;
  auto lines = [&]() -> std::optional<std::string_view> {
    if (next == lines_.size()) return std::nullopt;
    return lines_[next++];
  };
  return FindValue(lines, section, key);
}

std::optional<std::string> ProfileDocument::Lookup(std::string_view bytes, std::string_view section,
                                                   std::string_view key) {
  LineReader lines(bytes);
  return FindValue([&] { return lines.Next(); }, section, key);
}

void ProfileDocument::Set(std::string_view section, std::string_view key,
                          std::optional<std::string_view> value) {
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t header = kNone;
  std::size_t found = kNone;
  std::size_t lastNonBlank = kNone;
  for (std::size_t i = 0; i < lines_.size() && found == kNone; ++i) {
    const std::string& line = lines_[i];
    if (std::optional<std::string_view> name = SectionName(line)) {
      if (header != kNone) break;
      if (Cp932EqualsIgnoringAsciiCase(*name, section)) header = lastNonBlank = i;
      continue;
    }
    if (header == kNone) continue;
    if (!IsBlankLine(line)) lastNonBlank = i;
    std::optional<std::string_view> lineKey = KeyName(line);
    if (lineKey && Cp932EqualsIgnoringAsciiCase(*lineKey, key)) found = i;
  }

  if (!value) {
    if (found != kNone) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(found));
    return;
  }
  std::string keyLine;
  keyLine.reserve(key.size() + 1 + value->size());
  keyLine.append(key).append("=").append(*value);
  if (found != kNone) {
    lines_[found] = std::move(keyLine);
  } else if (header != kNone) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastNonBlank + 1),
                  std::move(keyLine));
  } else {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(keyLine));
  }
}

std::string ProfileDocument::Serialize() const {
  std::size_t size = 0;
  for (const std::string& line : lines_) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines_) bytes.append(line).append("\r\n");
  return bytes;
}

bool Cp932EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(a[i])) {
      if (a[i] != b[i]) return false;
      if (++i < a.size() && a[i] != b[i]) return false;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

bool IsStorableSection(std::string_view section) {
  return !HasLineBreak(section) && FindClosingBracket(section, 0) == std::string_view::npos &&
         !EndsInsideCharacter(section) && TrimBlanks(section).size() == section.size();
}

bool IsStorableKey(std::string_view key) {
  if (HasLineBreak(key) || key.find('=') != key.npos) return false;
  if (!key.empty() && key.front() == ';') return false;
  // "[a" is refused too: with a value holding ']' its line reads as a section.
  std::size_t first = FirstNonBlank(key);
  return first == key.size() || key[first] != '[';
}

bool IsStorableValue(std::string_view value) { return !HasLineBreak(value); }

}  // namespace pelorin::store
