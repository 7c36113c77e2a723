#include "store/leftover_files.h"

#include <string>

#include "store/settings_file.h"

namespace pelorin::store {
namespace {

std::string TargetOf(const std::string& temporary) {
  return temporary.substr(0, temporary.rfind(".tmp-"));
}

void RemoveIn(platform::FileSystem& files, const std::string& folder, bool settingsOnly) {
  for (const std::string& name : files.ListFiles(folder)) {
    if (!platform::IsTemporaryFileName(name)) continue;
    const std::string target = TargetOf(name);
    if (settingsOnly && target != kSettingsFileName) continue;
    const std::string inFolder = folder + "/";
    if (!files.Exists(inFolder + target)) continue;
    (void)files.RemoveFile(inFolder + name);
  }
}

}  // namespace

void RemoveLeftoverTemporaryFiles(platform::FileSystem& files, const std::string& appFolder,
                                  const std::string& dataFolder) {
  RemoveIn(files, appFolder, true);
  RemoveIn(files, dataFolder, false);
}

}  // namespace pelorin::store
