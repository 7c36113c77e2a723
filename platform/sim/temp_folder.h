#pragma once
// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.

#include <string>

namespace pelorin::sim {

class TempFolder {
 public:
  // Creates "<tmp>/pelorin-XXXXXX/<leaf>"; the leaf may hold any UTF-8 text,
  // so that the program meets a folder name with spaces and Japanese.
  explicit TempFolder(const std::string& leaf);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // UTF-8, '/' separated, no trailing separator.
  const std::string& Path() const { return path_; }

 private:
  std::string base_;  // the unique folder that is removed
  std::string path_;
};

}  // namespace pelorin::sim
