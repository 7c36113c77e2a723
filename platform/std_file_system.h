#pragma once
// FileSystem on std::filesystem: the program's file access on the host, which
// the simulation wraps with fault injection. The Windows program uses
// platform/win32/win32_file_system.h, which keeps std::filesystem out of it.

#include "platform/file_system.h"

namespace pelorin::platform {

class StdFileSystem : public FileSystem {
 public:
  ReadResult ReadFile(const std::string& path) override;
  FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override;
  FileResult RenameFile(const std::string& from, const std::string& to) override;
  FileResult RemoveFile(const std::string& path) override;
  bool Exists(const std::string& path) override;
  FileResult MakeDirectory(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;
};

}  // namespace pelorin::platform
