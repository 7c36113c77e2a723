#include "tests/faults/crash_writer_loop.h"

#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "store/settings_file.h"

namespace pelorin::faults {

int RunCrashWriter(platform::FileSystem& files, const std::string& folder,
                   const std::string& versions) {
  std::array<std::string, 2> kaomoji;
  std::array<std::string, 2> lists;
  for (int i = 0; i < 2; ++i) {
    platform::ReadResult bytes = files.ReadFile(versions + "/kaomoji" + std::to_string(i));
    platform::ReadResult list = files.ReadFile(versions + "/list" + std::to_string(i));
    if (bytes.status != platform::ReadStatus::Ok || list.status != platform::ReadStatus::Ok) {
      std::fprintf(stderr, "cannot read the versions in %s\n", versions.c_str());
      return 2;
    }
    kaomoji[i] = std::move(bytes.bytes);
    lists[i] = std::move(list.bytes);
  }
  const std::string kaomojiPath = folder + "/data/big.txt";
  store::SettingsFile settings(files, folder + "/" + store::kSettingsFileName);
  std::size_t next = files.ReadFile(kaomojiPath).bytes == kaomoji[0] ? 1 : 0;

  std::printf("ready\n");
  std::fflush(stdout);
  for (;; next = 1 - next) {
    if (platform::FileResult written = files.WriteFileAtomic(kaomojiPath, kaomoji[next]);
        !written) {
      std::fprintf(stderr, "%s\n", written.error.c_str());
      return 1;
    }
    if (store::SettingsWrite written = settings.Write("LIST", "LIST", lists[next]); !written.ok) {
      std::fprintf(stderr, "%s\n", written.error.c_str());
      return 1;
    }
  }
}

}  // namespace pelorin::faults
