#include "store/profile_document.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/profile_syntax.h"

namespace pelorin::store {
namespace {

bool IsBlankLine(std::string_view line) { return FirstNonBlank(line) == line.size(); }

}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view bytes) {
  ProfileDocument document;
  LineReader lines(bytes);
  while (std::optional<std::string_view> line = lines.Next()) document.lines_.emplace_back(*line);
  return document;
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
      if (EqualsIgnoringAsciiCase(*name, section)) header = lastNonBlank = i;
      continue;
    }
    if (header == kNone) continue;
    if (!IsBlankLine(line)) lastNonBlank = i;
    std::optional<std::string_view> lineKey = KeyName(line);
    if (lineKey && EqualsIgnoringAsciiCase(*lineKey, key)) found = i;
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
    // Built by appending: GCC 12 sees a false overlap in "[" + string + "]"
    // when optimising (-Wrestrict).
    std::string headerLine;
    headerLine.reserve(section.size() + 2);
    headerLine.append("[").append(section).append("]");
    lines_.push_back(std::move(headerLine));
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

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool IsStorableSection(std::string_view section) {
  return !HasLineBreak(section) && section.find(']') == std::string_view::npos &&
         TrimBlanks(section).size() == section.size();
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
