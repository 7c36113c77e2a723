#include <windows.h>

#include <string>

#include "platform/durable_replace.h"

namespace pelorin::platform {
namespace fs = std::filesystem;

namespace {
std::string Describe(const std::string& what, const std::string& shown) {
  return what + " " + shown + " (error " + std::to_string(::GetLastError()) + ")";
}
}  // namespace

FileResult FlushToDisk(const fs::path& path, const std::string& shown) {
  // FlushFileBuffers needs a handle opened for writing.
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return FileResult::Fail(Describe("cannot flush the temporary file for", shown));
  }
  const bool flushed = ::FlushFileBuffers(file) != 0;
  const std::string error = flushed ? "" : Describe("cannot flush the temporary file for", shown);
  ::CloseHandle(file);
  return flushed ? FileResult::Ok() : FileResult::Fail(error);
}

FileResult ReplaceTarget(const fs::path& from, const fs::path& to, const std::string& shown) {
  // Write-through: the move is on the disk when the call returns.
  if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return FileResult::Fail(Describe("cannot replace", shown));
  }
  return FileResult::Ok();
}

}  // namespace pelorin::platform
