#include "tests/scenario/scenario_lexer.h"

#include <cstdint>
#include <optional>

#include "store/unicode_text.h"

namespace pelorin::scenario {
namespace {

std::optional<char32_t> ParseHex(std::string_view digits) {
  char32_t value = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<char32_t>(digit);
  }
  return value;
}

// Resolves the escape that starts at line[pos] (the backslash). On success
// appends its text and returns the offset just past it; on failure returns 0
// and sets error.
std::size_t ResolveEscape(std::string_view line, std::size_t pos, std::string& out,
                          std::string& error) {
  if (pos + 1 >= line.size()) {
    error = "unterminated string";
    return 0;
  }
  char kind = line[pos + 1];
  switch (kind) {
    case '\\':
      out += '\\';
      return pos + 2;
    case '"':
      out += '"';
      return pos + 2;
    case 'r':
      out += '\r';
      return pos + 2;
    case 'n':
      out += '\n';
      return pos + 2;
    case 't':
      out += '\t';
      return pos + 2;
    case 'u':
    case 'U':
      break;
    default:
      error = std::string("unknown escape \\") + kind;
      return 0;
  }
  std::size_t length = kind == 'u' ? 4 : 8;
  std::string_view digits = line.substr(pos + 2, length);
  std::optional<char32_t> value = digits.size() == length ? ParseHex(digits) : std::nullopt;
  if (!value) {
    error = std::string("\\") + kind + " needs " + std::to_string(length) + " hex digits";
    return 0;
  }
  if ((*value >= 0xD800 && *value <= 0xDFFF) || *value > 0x10FFFF) {
    error = std::string("\\") + kind + std::string(digits) + " is not a Unicode character";
    return 0;
  }
  store::AppendUtf8(out, *value);
  return pos + 2 + length;
}

// Reads the quoted word that starts at line[pos]; returns the offset past the
// closing quote, or 0 with error set.
std::size_t ReadQuoted(std::string_view line, std::size_t pos, std::string& out,
                       std::string& error) {
  std::size_t i = pos + 1;
  while (i < line.size()) {
    char c = line[i];
    if (c == '"') {
      if (i + 1 < line.size() && !IsSeparator(line[i + 1])) {
        error = "a closing quote must end the word";
        return 0;
      }
      return i + 1;
    }
    if (c == '\\') {
      i = ResolveEscape(line, i, out, error);
      if (i == 0) return 0;
      continue;
    }
    out += c;
    ++i;
  }
  error = "unterminated string";
  return 0;
}

}  // namespace


LexResult SplitWords(std::string_view line) {
  LexResult result;
  std::size_t i = 0;
  while (i < line.size()) {
    if (IsSeparator(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    Word word;
    if (line[i] == '"') {
      word.quoted = true;
      i = ReadQuoted(line, i, word.text, result.error);
      if (i == 0) return result;
    } else {
      while (i < line.size() && !IsSeparator(line[i])) {
        if (line[i] == '"') {
          result.error = "a double quote inside a word (quote the whole word)";
          return result;
        }
        word.text += line[i++];
      }
    }
    word.end = i;
    result.words.push_back(std::move(word));
  }
  return result;
}

}  // namespace pelorin::scenario
