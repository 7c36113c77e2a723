#pragma once
// platform::FileSystem in memory, so a fuzz run touches no disk: files are
// whole byte strings by path; every operation succeeds as the contract says.

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace pelorin::fuzz {

class MemoryFileSystem : public platform::FileSystem {
 public:
  platform::ReadResult ReadFile(const std::string& path) override {
    auto found = files_.find(path);
    if (found == files_.end()) return platform::ReadResult{};
    return platform::ReadResult{platform::ReadStatus::Ok, found->second, {}};
  }
  platform::FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
    files_[path] = bytes;
    return platform::FileResult::Ok();
  }
  platform::FileResult RenameFile(const std::string& from, const std::string& to) override {
    auto found = files_.find(from);
    if (found == files_.end()) return platform::FileResult::Fail("no such file: " + from);
    if (files_.count(to) != 0) return platform::FileResult::Fail("exists: " + to);
    files_[to] = std::move(found->second);
    files_.erase(from);
    return platform::FileResult::Ok();
  }
  platform::FileResult RemoveFile(const std::string& path) override {
    if (files_.erase(path) == 0) return platform::FileResult::Fail("no such file: " + path);
    return platform::FileResult::Ok();
  }
  bool Exists(const std::string& path) override { return files_.count(path) != 0; }
  platform::FileResult MakeDirectory(const std::string&) override {
    return platform::FileResult::Ok();
  }

  std::vector<std::string> ListFiles(const std::string& folder) override {
    std::vector<std::string> names;
    const std::string prefix = folder + "/";
    for (const auto& [path, bytes] : files_) {
      if (path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos) {
        names.push_back(path.substr(prefix.size()));
      }
    }
    return names;
  }

  std::map<std::string, std::string>& Files() { return files_; }

 private:
  std::map<std::string, std::string> files_;
};

}  // namespace pelorin::fuzz
