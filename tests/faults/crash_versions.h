#pragma once
// The two versions of the files that the crash test's writer saves in turn:
// a large kaomoji file (a real collection repeated to about 1 MB) and the
// settings file's category list (2,000 categories, each with a FILE key).

#include <array>
#include <string>
#include <vector>

namespace pelorin::faults {

inline constexpr const char* kCrashKaomojiFile = "data/big.txt";  // as the writer has it
inline constexpr std::size_t kCrashTargetBytes = 1u << 20;
inline constexpr int kCrashCategories = 2000;

struct CrashVersion {
  std::vector<std::string> kaomoji;  // the entries of the kaomoji file
  std::string kaomojiBytes;          // as SerializeKaomojiFile writes them
  std::string categoryList;          // the LIST value
};

// Version 0 and version 1 from the collection's text (one entry a line); the
// two differ in every part of each file. Empty when the text has no entry.
std::array<CrashVersion, 2> MakeCrashVersions(const std::string& collection);

// The category names of the LIST values, each with a FILE key.
std::vector<std::string> CrashCategoryNames();

// A settings file as a collection of 2,000 categories has it: FILE keys,
// the window state, and this category list.
std::string CrashStartingSettings(const std::string& categoryList);

}  // namespace pelorin::faults
