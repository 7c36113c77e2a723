#pragma once
// The file helpers the unit tests share. Paths are UTF-8 with '/', as the
// program builds them.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/sim/temp_folder.h"

namespace pelorin::testing_support {

inline std::filesystem::path Native(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

inline std::string Contents(const std::string& path) {
  std::ifstream in(Native(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(Native(path), std::ios::binary | std::ios::trunc) << bytes;
}

// The names in a folder, sorted, to see stray temporary files.
inline std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Native(folder))) {
    names.push_back(Utf8(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A fresh folder, removed with its contents when the test ends.
class TempFolder {
 public:
  std::string Path(const std::string& name = "") const { return folder_.Path() + "/" + name; }

 private:
  sim::TempFolder folder_{""};
};

}  // namespace pelorin::testing_support
