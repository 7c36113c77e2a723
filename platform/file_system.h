#pragma once
// Whole-file access for the core. Paths are UTF-8 with '/' separators,
// absolute (built from Platform::AppFolder()).

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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
  // then moved over the target. The parent folder must exist. The temporary
  // file is named by IsTemporaryFileName below.
  virtual FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
  // Fails when `to` exists, unless it is the same file under another letter case.
  virtual FileResult RenameFile(const std::string& from, const std::string& to) = 0;
  // Named apart from the Win32 macros (DeleteFile, CopyFile, MoveFile ...),
  // which would rename the member in code that includes <windows.h>.
  virtual FileResult RemoveFile(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Creates the folder (and its parents); ok when it exists already.
  virtual FileResult MakeDirectory(const std::string& path) = 0;
  // The names of the files (not folders) in the folder; none when it is
  // missing or cannot be listed.
  virtual std::vector<std::string> ListFiles(const std::string& folder) = 0;
};

// Whether a file name is one that WriteFileAtomic gives its temporary file:
// the target's name, ".tmp-", then hexadecimal digits and hyphens (at most
// 48); a kill in the middle of a save leaves such a file behind.
inline bool IsTemporaryFileName(std::string_view name) {
  constexpr std::string_view kMark = ".tmp-";
  const std::size_t mark = name.rfind(kMark);
  if (mark == std::string_view::npos || mark == 0) return false;
  const std::string_view suffix = name.substr(mark + kMark.size());
  if (suffix.empty() || suffix.size() > 48) return false;
  return std::ranges::all_of(suffix, [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == '-';
  });
}

}  // namespace pelorin::platform
