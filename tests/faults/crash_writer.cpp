// pelorin-crash-writer FOLDER VERSIONS
// Saves two versions of two files in turn, for ever, through Pelorin's own
// file code: the kaomoji file FOLDER/data/big.txt with
// StdFileSystem::WriteFileAtomic, and the category list (section LIST, key
// LIST) of FOLDER/設定.ini with SettingsFile::Write, which reads the file,
// changes the one value and replaces the file. VERSIONS is a folder holding
// kaomoji0, kaomoji1 (the kaomoji file's bytes) and list0, list1 (the LIST
// values, UTF-8). It starts with the version the kaomoji file does not hold,
// so that every write changes it, and prints "ready" just before the first
// write; the crash test kills it at a random moment after that.
//
// Standard library and the core only, so it builds with MinGW-w64 as well
// and the same test can kill it under Wine.
#include <array>
#include <cstdio>
#include <string>

#include "platform/std_file_system.h"
#include "store/settings_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pelorin-crash-writer FOLDER VERSIONS\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string versions = argv[2];
  pelorin::platform::StdFileSystem files;
  std::array<std::string, 2> kaomoji;
  std::array<std::string, 2> lists;
  for (int i = 0; i < 2; ++i) {
    pelorin::platform::ReadResult bytes = files.ReadFile(versions + "/kaomoji" + std::to_string(i));
    pelorin::platform::ReadResult list = files.ReadFile(versions + "/list" + std::to_string(i));
    if (bytes.status != pelorin::platform::ReadStatus::Ok ||
        list.status != pelorin::platform::ReadStatus::Ok) {
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
    if (!files.WriteFileAtomic(kaomojiPath, kaomoji[next])) return 1;
    if (!settings.Write("LIST", "LIST", lists[next]).ok) return 1;
  }
}
