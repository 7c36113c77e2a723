#pragma once
// The simulation's temporary folder (removed with its contents when the test
// ends), with the file helpers the unit tests share. Paths are UTF-8.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/sim/temp_folder.h"

namespace pelorin::testing_support {

class TempFolder {
 public:
  // A UTF-8 path inside the folder, as the program builds them.
  std::string Path(const std::string& name) const { return folder_.Path() + "/" + name; }

  static std::filesystem::path Native(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
  }

  static std::string Contents(const std::string& utf8) {
    std::ifstream in(Native(utf8), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static void Put(const std::string& utf8, const std::string& bytes) {
    std::ofstream out(Native(utf8), std::ios::binary | std::ios::trunc);
    out << bytes;
  }

  // Names of everything in the folder, sorted, to see stray temporary files.
  std::string Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Native(folder_.Path()))) {
      std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names) listing += name + ";";
    return listing;
  }

 private:
  sim::TempFolder folder_{""};
};

}  // namespace pelorin::testing_support
