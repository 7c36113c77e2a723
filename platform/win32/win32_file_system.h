#pragma once
// FileSystem on the Windows API. The program does not use std::filesystem on
// Windows: statically linked, it alone would make Pelorin.exe a megabyte.

#include "platform/file_system.h"

namespace pelorin::platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  ReadResult ReadFile(const std::string& path) override;
  // A temporary file beside the target, flushed with FlushFileBuffers, then
  // moved over it with MoveFileExW (MOVEFILE_REPLACE_EXISTING |
  // MOVEFILE_WRITE_THROUGH).
  FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override;
  // MoveFileW refuses an existing target, but lets a file take another letter
  // case of its own name (in two steps where the file system keeps the old
  // case of a plain move).
  FileResult RenameFile(const std::string& from, const std::string& to) override;
  FileResult RemoveFile(const std::string& path) override;
  bool Exists(const std::string& path) override;
  FileResult MakeDirectory(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override;
};

}  // namespace pelorin::platform::win32
