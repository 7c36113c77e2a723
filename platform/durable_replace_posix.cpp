#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/durable_replace.h"

namespace pelorin::platform {
namespace fs = std::filesystem;

namespace {
std::string Describe(const std::string& what, const std::string& shown, std::error_code error) {
  return what + " " + shown + ": " + error.message();
}
std::error_code LastError() {
  return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}
}  // namespace

FileResult FlushToDisk(const fs::path& path, const std::string& shown) {
  // fsync flushes the file, not the descriptor: a read-only one will do.
  errno = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileResult::Fail(Describe("cannot flush the temporary file for", shown, LastError()));
  const bool flushed = ::fsync(fd) == 0;
  const std::error_code error = LastError();
  ::close(fd);
  if (!flushed) return FileResult::Fail(Describe("cannot flush the temporary file for", shown, error));
  return FileResult::Ok();
}

FileResult ReplaceTarget(const fs::path& from, const fs::path& to, const std::string& shown) {
  std::error_code error;
  fs::rename(from, to, error);
  if (error) return FileResult::Fail(Describe("cannot replace", shown, error));
  // The rename itself reaches the disk with the folder's entry; a failure here
  // leaves the new file in place, so it is not reported.
  const fs::path parent = to.parent_path().empty() ? fs::path(".") : to.parent_path();
  const int folder = ::open(parent.c_str(), O_RDONLY | O_CLOEXEC);
  if (folder >= 0) {
    (void)::fsync(folder);
    ::close(folder);
  }
  return FileResult::Ok();
}

}  // namespace pelorin::platform
