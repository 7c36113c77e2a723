#include "bench/wine/pelorin_folder.h"

#include <cstdio>

#include "platform/text_codec.h"
#include "platform/win32/win32_file_system.h"
#include "store/kaomoji_file.h"
#include "store/profile_document.h"
#include "store/settings_file.h"
#include "store/window_state.h"

namespace pelorin::bench::wine {
namespace {

// Selected category 0, the starter collection's place and size, menu bar
// shown, not always on top.
constexpr const char* kWindowState = "0,1200,1200,3040,5600,True,False";

bool Written(const platform::FileResult& result) {
  if (!result) std::fprintf(stderr, "%s\n", result.error.c_str());
  return result.ok;
}

}  // namespace

std::vector<std::string> CorpusKaomoji(const std::string& corpusPath, size_t count) {
  platform::win32::Win32FileSystem files;
  const platform::ReadResult corpus = files.ReadFile(corpusPath);
  std::vector<std::string> entries;
  std::vector<std::string> lines = store::SplitKaomojiLines(corpus.bytes);
  std::erase(lines, std::string());
  if (lines.empty()) {
    std::fprintf(stderr, "no kaomoji in %s\n", corpusPath.c_str());
    return entries;
  }
  entries.reserve(count);
  for (size_t i = 0; i < count; ++i) entries.push_back(lines[i % lines.size()]);
  return entries;
}

bool WritePelorinFolder(const std::string& folder, const std::vector<Category>& categories) {
  platform::win32::Win32FileSystem files;
  if (!Written(files.MakeDirectory(folder + "/data"))) return false;
  std::vector<std::string> names;
  store::ProfileDocument settings = store::ProfileDocument::Parse("");
  for (const Category& category : categories) names.push_back(category.name);
  settings.Set("LIST", "LIST", *store::JoinCategoryList(names));
  for (const Category& category : categories) {
    const std::string file = category.name + ".txt";
    settings.Set("FILE", category.name, file);
    if (!Written(files.WriteFileAtomic(folder + "/data/" + file,
                                       store::SerializeKaomojiFile(category.kaomoji)))) {
      return false;
    }
  }
  settings.Set("DATA", "STATE", kWindowState);
  return Written(
      files.WriteFileAtomic(folder + "/" + store::kSettingsFileName,
                            *platform::EncodeCp932(settings.Serialize())));
}

}  // namespace pelorin::bench::wine
