#include "tests/scenario/scenario_lexer.h"

#include <charconv>
#include <cstdint>

#include "store/unicode_text.h"

namespace pelorin::scenario {
namespace {

// Resolves the escape that starts at line[pos] (the backslash). On success
// appends its text and returns the offset just past it; on failure returns 0
// and sets error.
std::size_t ResolveEscape(std::string_view line, std::size_t pos, std::string& out,
                          std::string& error) {
  if (pos + 1 >= line.size()) {
    error = "unterminated string";
    return 0;
  }
  const char kind = line[pos + 1];
  constexpr std::string_view kSimple = "\\\\\"\"r\rn\nt\t";  // pairs: escape, character
  for (std::size_t i = 0; i < kSimple.size(); i += 2) {
    if (kSimple[i] != kind) continue;
    out += kSimple[i + 1];
    return pos + 2;
  }
  if (kind != 'u' && kind != 'U') {
    error = std::string("unknown escape \\") + kind;
    return 0;
  }
  const std::size_t length = kind == 'u' ? 4 : 8;
  const std::string_view digits = line.substr(pos + 2, length);
  std::uint32_t value = 0;
  const auto [end, failed] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.size() != length || failed != std::errc() || end != digits.data() + length) {
    error = std::string("\\") + kind + " needs " + std::to_string(length) + " hex digits";
    return 0;
  }
  if ((value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
    error = std::string("\\") + kind + std::string(digits) + " is not a Unicode character";
    return 0;
  }
  store::AppendUtf8(out, value);
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
