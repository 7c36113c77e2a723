#pragma once
// The application folders the Windows benchmarks give Pelorin: a settings
// file and kaomoji files written the way the program writes them, with the
// program's own file code (paths UTF-8).

#include <string>
#include <vector>

namespace pelorin::bench::wine {

struct Category {
  std::string name;
  std::vector<std::string> kaomoji;
};

// `count` kaomoji: the corpus's entries (one a line) over and over. Empty
// when the corpus cannot be read.
std::vector<std::string> CorpusKaomoji(const std::string& corpusPath, size_t count);

// Writes FOLDER/設定.ini (the categories, each with a FILE key NAME.txt, and
// a window state with the first category selected) and FOLDER/data/NAME.txt
// for each category. False (said on stderr) when something was not written.
bool WritePelorinFolder(const std::string& folder, const std::vector<Category>& categories);

}  // namespace pelorin::bench::wine
