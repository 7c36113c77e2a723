#pragma once
// Whole-file access for the core. Paths are UTF-8 with '/' separators,
// absolute (built from Platform::AppFolder()).

#include <string>

namespace pelorin::platform {

enum class ReadStatus { Ok, Missing, Unreadable };

struct [[nodiscard]] ReadResult {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;   // the whole file when status is Ok
  std::string error;   // why it could not be read (for messages)
};

struct [[nodiscard]] FileResult {
  bool ok = true;
  std::string error;  // empty when ok
  explicit operator bool() const { return ok; }
  static FileResult Ok() { return {}; }
  static FileResult Fail(std::string why) { return {false, std::move(why)}; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Reads the whole file, telling "missing" apart from "exists but unreadable".
  virtual ReadResult ReadFile(const std::string& path) = 0;
  // Writes the whole file atomically: a temporary file beside it, flushed,
  // then moved over the target. The parent folder must exist.
  virtual FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
  // Fails when `to` exists, unless it is the same file under another letter case.
  virtual FileResult RenameFile(const std::string& from, const std::string& to) = 0;
  // Named apart from the Win32 macros (DeleteFile, CopyFile, MoveFile ...),
  // which would rename the member in code that includes <windows.h>.
  virtual FileResult RemoveFile(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Creates the folder (and its parents); ok when it exists already.
  virtual FileResult MakeDirectory(const std::string& path) = 0;
};

}  // namespace pelorin::platform
