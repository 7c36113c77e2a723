#pragma once
// A FileSystem that passes every call to another one, except those it is
// told to fail, as a full or read-only disk (or a locked file) would. Paths
// in the rules are relative to a root folder with '/' separators; "*"
// stands for every path.
//
// Every fallible operation (read, write, rename, delete, make folder) is
// numbered from 1 and logged; FailOperation makes the one with a chosen
// number fail, whatever it is, so that a sweep can fail each operation of a
// run in turn and tell what it failed.

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace pelorin::sim {

// One numbered operation as it was asked for.
struct OperationRecord {
  std::string_view kind;  // "read", "write", "rename", "delete", "make folder"
  std::string path;       // relative to the root; "from -> to" for a rename
};

enum class FileOp {
  Write,   // creating or replacing the file (also as a rename's target, or a folder)
  Rename,  // a rename from or to the path
  Delete,
  Read,  // the file exists but cannot be read
};

class FaultInjectingFileSystem : public platform::FileSystem {
 public:
  FaultInjectingFileSystem(platform::FileSystem& inner, std::string root);

  void Fail(FileOp op, const std::string& relativePath);
  // Undoes every Fail (a scheduled FailOperation stays).
  void Heal() { rules_.clear(); }

  long OperationCount() const { return static_cast<long>(log_.size()); }
  // The operation with this number fails (0: none).
  void FailOperation(long number) { failOperation_ = number; }
  // Every numbered operation so far; entry i is operation i + 1.
  const std::vector<OperationRecord>& Operations() const { return log_; }

  platform::ReadResult ReadFile(const std::string& path) override;
  platform::FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override;
  platform::FileResult RenameFile(const std::string& from, const std::string& to) override;
  platform::FileResult RemoveFile(const std::string& path) override;
  bool Exists(const std::string& path) override { return inner_.Exists(path); }
  platform::FileResult MakeDirectory(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder) override {
    return inner_.ListFiles(folder);
  }

 private:
  // The path relative to the root, '/'-separated ("data/A.txt"); a path
  // outside the root comes back unchanged.
  std::string Relative(const std::string& path) const;
  bool Failing(FileOp op, const std::string& path) const;
  // Counts and logs the operation; true when it fails, by its number or
  // because `ruled` (a Fail rule matches it).
  bool Fails(const char* kind, const std::string& shownPath, bool ruled);

  platform::FileSystem& inner_;
  std::string root_;
  std::set<std::pair<FileOp, std::string>> rules_;
  long failOperation_ = 0;
  std::vector<OperationRecord> log_;
};

}  // namespace pelorin::sim
