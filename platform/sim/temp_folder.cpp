#include "platform/sim/temp_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

namespace pelorin::sim {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& leaf) {
  std::string pattern = (fs::temp_directory_path() / "pelorin-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "cannot create " + pattern);
  }
  base_ = buffer.data();
  path_ = leaf.empty() ? base_ : base_ + "/" + leaf;
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Files the program left read-only must not keep the folder alive.
  fs::permissions(base_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(base_, ignored);
}

}  // namespace pelorin::sim
