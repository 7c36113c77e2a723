#pragma once
// Splits one line of a scenario file into words. Standard library only: the
// Windows runner reuses it.
//
// - Words are separated by ASCII spaces and tabs only; U+3000 belongs to a word.
// - A word that starts with a double quote is a string up to the closing
//   quote, with the escapes \\ \" \r \n \t \uXXXX \UXXXXXXXX; the closing
//   quote must end the word. Outside quotes a backslash is an ordinary
//   character and a double quote is an error.
// - '#' at the start of a word outside quotes starts a comment to the end of
//   the line.

#include <string>
#include <string_view>
#include <vector>

namespace pelorin::scenario {

struct Word {
  std::string text;     // UTF-8, escapes resolved
  bool quoted = false;  // written in double quotes: never a keyword
  std::size_t end = 0;  // offset just past the word in the line
};

struct [[nodiscard]] LexResult {
  std::vector<Word> words;
  std::string error;  // empty when the line was split
  bool ok() const { return error.empty(); }
};

LexResult SplitWords(std::string_view line);

// True for an ASCII space or tab, the only separators.
inline bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

}  // namespace pelorin::scenario
