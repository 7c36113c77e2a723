#include "platform/sim/fault_injecting_file_system.h"

#include <filesystem>

namespace pelorin::sim {

namespace fs = std::filesystem;
using platform::FileResult;
using platform::ReadResult;
using platform::ReadStatus;

namespace {

std::string Normal(const std::string& path) {
  return fs::path(path).lexically_normal().generic_string();
}

FileResult Refused(const char* what, const std::string& path) {
  return FileResult::Fail(std::string(what) + " " + path + ": access denied (simulated fault)");
}

}  // namespace

FaultInjectingFileSystem::FaultInjectingFileSystem(platform::FileSystem& inner, std::string root)
    : inner_(inner), root_(Normal(root)) {}

void FaultInjectingFileSystem::Fail(FileOp op, const std::string& relativePath) {
  rules_.insert({op, relativePath == "*" ? relativePath : Normal(relativePath)});
}

std::string FaultInjectingFileSystem::Relative(const std::string& path) const {
  std::string normal = Normal(path);
  std::string prefix = root_ + "/";
  return normal.starts_with(prefix) ? normal.substr(prefix.size()) : normal;
}

bool FaultInjectingFileSystem::Failing(FileOp op, const std::string& path) const {
  return rules_.contains({op, "*"}) || rules_.contains({op, Relative(path)});
}

bool FaultInjectingFileSystem::Fails(const char* kind, const std::string& shownPath, bool ruled) {
  log_.push_back(OperationRecord{kind, shownPath});
  return ruled || OperationCount() == failOperation_;
}

ReadResult FaultInjectingFileSystem::ReadFile(const std::string& path) {
  // A read rule makes the path unreadable whether or not the file is there:
  // the scenario says it exists but is locked.
  if (Fails("read", Relative(path), Failing(FileOp::Read, path))) {
    return ReadResult{ReadStatus::Unreadable, {}, path + ": sharing violation (simulated fault)"};
  }
  return inner_.ReadFile(path);
}

FileResult FaultInjectingFileSystem::WriteFileAtomic(const std::string& path,
                                                     const std::string& bytes) {
  if (Fails("write", Relative(path), Failing(FileOp::Write, path))) return Refused("write", path);
  return inner_.WriteFileAtomic(path, bytes);
}

FileResult FaultInjectingFileSystem::RenameFile(const std::string& from, const std::string& to) {
  const bool ruled =
      Failing(FileOp::Rename, from) || Failing(FileOp::Rename, to) || Failing(FileOp::Write, to);
  if (Fails("rename", Relative(from) + " -> " + Relative(to), ruled)) {
    return Refused("rename", from + " -> " + to);
  }
  return inner_.RenameFile(from, to);
}

FileResult FaultInjectingFileSystem::RemoveFile(const std::string& path) {
  if (Fails("delete", Relative(path), Failing(FileOp::Delete, path))) {
    return Refused("delete", path);
  }
  return inner_.RemoveFile(path);
}

FileResult FaultInjectingFileSystem::MakeDirectory(const std::string& path) {
  // A full or read-only disk still finds a folder that is already there.
  const bool ruled = Failing(FileOp::Write, path) && !inner_.Exists(path);
  if (Fails("make folder", Relative(path), ruled)) return Refused("make folder", path);
  return inner_.MakeDirectory(path);
}

}  // namespace pelorin::sim
