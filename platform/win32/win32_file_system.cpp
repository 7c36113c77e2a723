#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/unique.h"
#include "platform/win32/wide.h"

namespace pelorin::platform::win32 {
namespace {

// A file handle; CreateFileW's "none" is INVALID_HANDLE_VALUE, not null.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::wstring ToWindowsPath(const std::string& utf8) {
  std::wstring path = Widen(utf8);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

// GetLastError is read once, here, into the message.
FileResult Failure(const std::string& what, const std::string& path) {
  return FileResult::Fail(what + " " + path + " (error " + std::to_string(::GetLastError()) + ")");
}

std::wstring TemporaryNameFor(const std::wstring& path) {
  static unsigned counter = 0;
  return path + L".tmp-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
         std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(++counter);
}

// The name the file system keeps for the file at a path ("B.txt" when
// "b.txt" finds it); empty when there is none.
std::wstring StoredName(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  ::FindClose(search);
  return found.cFileName;
}

std::wstring LeafOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

FileResult WriteAndFlush(const std::wstring& temporary, const std::string& bytes,
                         const std::string& shown) {
  FileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Failure("cannot create a temporary file for", shown);
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return Failure("cannot write a temporary file for", shown);
    }
    done += written;
  }
  // The new contents reach the disk before the move makes them visible.
  if (!::FlushFileBuffers(file.get())) return Failure("cannot flush the temporary file for", shown);
  return FileResult::Ok();
}

}  // namespace

ReadResult Win32FileSystem::ReadFile(const std::string& path) {
  FileHandle file(::CreateFileW(ToWindowsPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ReadResult result;
  if (!file.valid()) {
    const DWORD error = ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    result.status = missing ? ReadStatus::Missing : ReadStatus::Unreadable;
    result.error = "cannot open " + path + " (error " + std::to_string(error) + ")";
    return result;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) {
    result.status = ReadStatus::Unreadable;
    result.error = Failure("cannot read", path).error;
    return result;
  }
  result.bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < result.bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(result.bytes.size() - done, 1u << 30));
    DWORD read = 0;
    if (!::ReadFile(file.get(), result.bytes.data() + done, chunk, &read, nullptr)) {
      result.status = ReadStatus::Unreadable;
      result.error = Failure("cannot read", path).error;
      result.bytes.clear();
      return result;
    }
    if (read == 0) break;  // the file shrank meanwhile
    done += read;
  }
  result.bytes.resize(done);
  result.status = ReadStatus::Ok;
  return result;
}

FileResult Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
  const std::wstring target = ToWindowsPath(path);
  const std::wstring temporary = TemporaryNameFor(target);
  FileResult result = WriteAndFlush(temporary, bytes, path);
  if (result && !::MoveFileExW(temporary.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    result = Failure("cannot replace", path);
  }
  if (!result) ::DeleteFileW(temporary.c_str());
  return result;
}

FileResult Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  const std::wstring source = ToWindowsPath(from);
  const std::wstring target = ToWindowsPath(to);
  if (!::MoveFileW(source.c_str(), target.c_str())) {
    return Failure("cannot rename " + from + " to", to);
  }
  // A file taking another letter case of its own name: some file systems
  // (and wine) report success but keep the old name. Then the name changes
  // in two steps, through a temporary name, and goes back when the second
  // step fails.
  const std::wstring stored = StoredName(target);
  if (stored.empty() || stored == LeafOf(target)) return FileResult::Ok();
  const std::wstring temporary = TemporaryNameFor(target);
  if (!::MoveFileW(target.c_str(), temporary.c_str())) {
    return Failure("cannot rename " + from + " to", to);
  }
  if (!::MoveFileW(temporary.c_str(), target.c_str())) {
    const FileResult failed = Failure("cannot rename " + from + " to", to);
    ::MoveFileW(temporary.c_str(), source.c_str());
    return failed;
  }
  return FileResult::Ok();
}

FileResult Win32FileSystem::RemoveFile(const std::string& path) {
  if (!::DeleteFileW(ToWindowsPath(path).c_str())) return Failure("cannot delete", path);
  return FileResult::Ok();
}

bool Win32FileSystem::Exists(const std::string& path) {
  return ::GetFileAttributesW(ToWindowsPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileResult Win32FileSystem::MakeDirectory(const std::string& path) {
  const std::wstring full = ToWindowsPath(path);
  // Every folder on the way, from the top: CreateDirectoryW makes one level.
  for (size_t end = full.find(L'\\', 1); ; end = full.find(L'\\', end + 1)) {
    const std::wstring part = full.substr(0, end);
    const DWORD attributes = ::GetFileAttributesW(part.c_str());
    const bool isFolder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // "C:" and "\\server\share" are not folders one can make; skip them.
    const bool root = part.size() <= 2 || part.back() == L':';
    if (!isFolder && !root && !::CreateDirectoryW(part.c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
      return Failure("cannot make the folder", path);
    }
    if (end == std::wstring::npos) break;
  }
  const DWORD attributes = ::GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return Failure("cannot make the folder", path);
  }
  return FileResult::Ok();
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE first = ::FindFirstFileW((ToWindowsPath(folder) + L"\\*").c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) return names;
  const UniqueFind search(first);
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.push_back(Narrow(found.cFileName));
    }
  } while (::FindNextFileW(search.get(), &found));
  return names;
}

}  // namespace pelorin::platform::win32
