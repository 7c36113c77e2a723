#include "tests/faults/crash_versions.h"

#include <algorithm>

#include "platform/text_codec.h"
#include "store/kaomoji_file.h"
#include "store/profile_document.h"
#include "store/window_state.h"

namespace pelorin::faults {

std::vector<std::string> CrashCategoryNames() {
  std::vector<std::string> names;
  for (int i = 1; i <= kCrashCategories; ++i) {
    names.push_back("種類" + std::to_string(10000 + i).substr(1));
  }
  return names;
}

std::string CrashStartingSettings(const std::string& categoryList) {
  store::ProfileDocument document = store::ProfileDocument::Parse("");
  auto set = [&](const std::string& section, const std::string& key, const std::string& value) {
    document.Set(section, key, value);
  };
  set("LIST", "LIST", categoryList);
  for (const std::string& name : CrashCategoryNames()) set("FILE", name, name + ".txt");
  set("DATA", "STATE", "0,1200,1200,2710,4805,True,True");
  return *platform::EncodeCp932(document.Serialize());
}

std::array<CrashVersion, 2> MakeCrashVersions(const std::string& collection) {
  std::array<CrashVersion, 2> versions;
  const std::vector<std::string> entries = store::SplitKaomojiLines(collection);
  if (entries.empty()) return versions;
  std::size_t bytes = 0;
  std::vector<std::string>& first = versions[0].kaomoji;
  for (std::size_t i = 0; bytes < kCrashTargetBytes; ++i) {
    const std::string& entry = entries[i % entries.size()];
    first.push_back(entry);
    bytes += entry.size() + 2;
  }
  // The second: the same entries, the first and second halves swapped and
  // each half reversed, so no long stretch of bytes is shared.
  std::vector<std::string>& second = versions[1].kaomoji;
  second = first;
  std::rotate(second.begin(), second.begin() + static_cast<long>(second.size() / 2), second.end());
  std::reverse(second.begin(), second.begin() + static_cast<long>(second.size() / 2));

  std::vector<std::string> names = CrashCategoryNames();
  versions[0].categoryList = store::JoinCategoryList(names).value_or("");
  std::reverse(names.begin(), names.end());
  versions[1].categoryList = store::JoinCategoryList(names).value_or("");
  for (CrashVersion& version : versions) {
    version.kaomojiBytes = store::SerializeKaomojiFile(version.kaomoji);
  }
  return versions;
}

}  // namespace pelorin::faults
