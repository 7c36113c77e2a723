#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace pelorin::testing_support {

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("pelorin-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // A UTF-8 path inside the folder, as the program builds them.
  std::string Path(const std::string& name) const {
    std::u8string folder = path_.u8string();
    return std::string(folder.begin(), folder.end()) + "/" + name;
  }

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
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names) listing += name + ";";
    return listing;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace pelorin::testing_support
