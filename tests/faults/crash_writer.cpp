// pelorin-crash-writer FOLDER VERSIONS
// The crash test's writer: saves through the program's own file code
// (StdFileSystem on the host; Win32FileSystem in the Windows build, a flushed
// temporary file moved over the target with MoveFileExW) until it is killed.
// It saves two versions of two files in turn, for ever: the kaomoji file
// FOLDER/data/big.txt with WriteFileAtomic, and the category list (section
// LIST, key LIST) of FOLDER/設定.ini with SettingsFile::Write, which reads the
// file, changes the one value and replaces the file. VERSIONS holds kaomoji0,
// kaomoji1 (the kaomoji file's bytes) and list0, list1 (the LIST values).
// It starts with the version the kaomoji file does not hold, so that every
// write changes it, and prints "ready" just before the first write. Returns
// only on a failure: 2 when the versions cannot be read, 1 when a save failed.
#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "store/settings_file.h"
#ifdef _WIN32
#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#else
#include "platform/std_file_system.h"
#endif

namespace {

using pelorin::platform::ReadStatus;

int RunWriter(pelorin::platform::FileSystem& files, const std::string& folder,
              const std::string& versions) {
  std::array<std::string, 2> kaomoji;
  std::array<std::string, 2> lists;
  for (int i = 0; i < 2; ++i) {
    auto bytes = files.ReadFile(versions + "/kaomoji" + std::to_string(i));
    auto list = files.ReadFile(versions + "/list" + std::to_string(i));
    if (bytes.status != ReadStatus::Ok || list.status != ReadStatus::Ok) {
      std::fprintf(stderr, "cannot read the versions in %s\n", versions.c_str());
      return 2;
    }
    kaomoji[i] = std::move(bytes.bytes);
    lists[i] = std::move(list.bytes);
  }
  const std::string kaomojiPath = folder + "/data/big.txt";
  pelorin::store::SettingsFile settings(files, folder + "/" + pelorin::store::kSettingsFileName);
  std::size_t next = files.ReadFile(kaomojiPath).bytes == kaomoji[0] ? 1 : 0;

  std::printf("ready\n");
  std::fflush(stdout);
  for (;; next = 1 - next) {
    const pelorin::platform::FileResult saved = files.WriteFileAtomic(kaomojiPath, kaomoji[next]);
    const pelorin::store::SettingsWrite written =
        saved ? settings.Write("LIST", "LIST", lists[next])
              : pelorin::store::SettingsWrite{false, saved.error};
    if (!written.ok) {
      std::fprintf(stderr, "%s\n", written.error.c_str());
      return 1;
    }
  }
}

int Usage() {
  std::fprintf(stderr, "usage: pelorin-crash-writer FOLDER VERSIONS\n");
  return 2;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  using pelorin::platform::win32::Narrow;
  pelorin::platform::win32::Win32FileSystem files;
  return argc == 3 ? RunWriter(files, Narrow(argv[1]), Narrow(argv[2])) : Usage();
}
#else
int main(int argc, char** argv) {
  pelorin::platform::StdFileSystem files;
  return argc == 3 ? RunWriter(files, argv[1], argv[2]) : Usage();
}
#endif
