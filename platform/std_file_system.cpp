#include "platform/std_file_system.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ios>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif
#if defined(_POSIX_VERSION)
#include <fcntl.h>
#endif

namespace pelorin::platform {
namespace fs = std::filesystem;
namespace {

// Built from char8_t so that the UTF-8 text is not read in the system's
// code page where paths are wide.
fs::path ToPath(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Describe(const std::string& what, const std::string& path, std::error_code error) {
  std::string text = what + " " + path;
  if (error) text += ": " + error.message();
  return text;
}

std::error_code LastError() {
  return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

std::string TemporaryNameFor(const std::string& path) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name = path + ".tmp-";
  std::uint64_t value = random();
  for (int i = 0; i < 16; ++i, value >>= 4) name += kHex[value & 15];
  return name;
}

FileResult WriteWhole(const fs::path& path, const std::string& shown, const std::string& bytes) {
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out)
    return FileResult::Fail(Describe("cannot create a temporary file for", shown, LastError()));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out.fail())
    return FileResult::Fail(Describe("cannot write a temporary file for", shown, LastError()));
  return FileResult::Ok();
}

// Step 1 of the atomic write: the new contents reach the disk before the
// rename makes them visible. (The Win32 program has a file access of its own,
// with FlushFileBuffers and MoveFileExW.)
FileResult FlushToDisk(const fs::path& path, const std::string& shown) {
#if defined(_POSIX_VERSION)
  // fsync flushes the file, not the descriptor: a read-only one will do.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return FileResult::Fail(Describe("cannot flush the temporary file for", shown, LastError()));
  bool flushed = ::fsync(fd) == 0;
  std::error_code error = LastError();
  ::close(fd);
  if (!flushed)
    return FileResult::Fail(Describe("cannot flush the temporary file for", shown, error));
#else
  (void)path;
  (void)shown;
#endif
  return FileResult::Ok();
}

// Step 2: the flushed file takes the target's place in one step.
FileResult ReplaceTarget(const fs::path& from, const fs::path& to, const std::string& shown) {
  std::error_code error;
  fs::rename(from, to, error);
  if (error) return FileResult::Fail(Describe("cannot replace", shown, error));
#if defined(_POSIX_VERSION)
  // The rename itself reaches the disk with the folder's entry; a failure here
  // leaves the new file in place, so it is not reported.
  fs::path parent = to.parent_path().empty() ? fs::path(".") : to.parent_path();
  int folder = ::open(parent.c_str(), O_RDONLY | O_CLOEXEC);
  if (folder >= 0) {
    (void)::fsync(folder);
    ::close(folder);
  }
#endif
  return FileResult::Ok();
}

std::optional<std::string> ReadAll(std::ifstream& in, const fs::path& path) {
  std::string bytes;
  std::error_code sizeError;
  std::uintmax_t size = fs::file_size(path, sizeError);
  if (!sizeError) bytes.reserve(static_cast<std::size_t>(size));
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

ReadResult StdFileSystem::ReadFile(const std::string& path) {
  ReadResult result;
  fs::path target = ToPath(path);
  std::error_code error;
  fs::file_status status = fs::status(target, error);
  if (status.type() == fs::file_type::not_found) {
    result.status = ReadStatus::Missing;
    return result;
  }
  result.status = ReadStatus::Unreadable;
  if (error) {
    result.error = Describe("cannot reach", path, error);
    return result;
  }
  if (fs::is_directory(status)) {
    result.error = "cannot read " + path + ": it is a folder";
    return result;
  }
  errno = 0;
  std::ifstream in(target, std::ios::binary);
  if (!in) {
    result.error = Describe("cannot open", path, LastError());
    return result;
  }
  std::optional<std::string> bytes = ReadAll(in, target);
  if (!bytes) {
    result.error = Describe("cannot read", path, LastError());
    return result;
  }
  result.status = ReadStatus::Ok;
  result.bytes = std::move(*bytes);
  return result;
}

FileResult StdFileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
  fs::path temporary = ToPath(TemporaryNameFor(path));
  FileResult result = WriteWhole(temporary, path, bytes);
  if (result) result = FlushToDisk(temporary, path);
  if (result) result = ReplaceTarget(temporary, ToPath(path), path);
  if (!result) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
  }
  return result;
}

FileResult StdFileSystem::RenameFile(const std::string& from, const std::string& to) {
  fs::path source = ToPath(from);
  fs::path target = ToPath(to);
  std::error_code error;
  if (!fs::exists(source, error)) {
    return FileResult::Fail(Describe("cannot rename missing file", from, error));
  }
  if (fs::exists(target, error) && !fs::equivalent(source, target, error)) {
    return FileResult::Fail("cannot rename " + from + ": " + to + " exists already");
  }
  fs::rename(source, target, error);
  if (error) return FileResult::Fail(Describe("cannot rename " + from + " to", to, error));
  return FileResult::Ok();
}

FileResult StdFileSystem::RemoveFile(const std::string& path) {
  fs::path target = ToPath(path);
  std::error_code error;
  fs::file_status status = fs::symlink_status(target, error);
  if (status.type() == fs::file_type::not_found) {
    return FileResult::Fail("cannot delete " + path + ": no such file");
  }
  if (fs::is_directory(status))
    return FileResult::Fail("cannot delete " + path + ": it is a folder");
  if (!fs::remove(target, error) || error)
    return FileResult::Fail(Describe("cannot delete", path, error));
  return FileResult::Ok();
}

bool StdFileSystem::Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(ToPath(path), error);
}

FileResult StdFileSystem::MakeDirectory(const std::string& path) {
  fs::path folder = ToPath(path);
  std::error_code error;
  fs::create_directories(folder, error);
  std::error_code ignored;
  if (fs::is_directory(folder, ignored)) return FileResult::Ok();
  if (!error) error = std::make_error_code(std::errc::not_a_directory);
  return FileResult::Fail(Describe("cannot create folder", path, error));
}

std::vector<std::string> StdFileSystem::ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator entry(ToPath(folder), error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code ignored;
    if (!entry->is_regular_file(ignored)) continue;
    const std::u8string name = entry->path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  return names;
}

}  // namespace pelorin::platform
