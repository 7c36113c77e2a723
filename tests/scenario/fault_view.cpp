#include "tests/scenario/fault_view.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/form1.h"
#include "platform/std_file_system.h"
#include "store/kaomoji_file.h"
#include "store/settings_file.h"
#include "store/window_state.h"
#include "tests/scenario/folder_paths.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;

FaultView TakeFaultView(sim::SimPlatform& world, const app::Form1* program) {
  FaultView view;
  platform::StdFileSystem files;
  std::error_code error;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(PathFromUtf8(world.AppFolder()) / "data", error)) {
    const std::string name = Utf8Of(entry.path().filename());
    if (entry.is_regular_file(error) && !platform::IsTemporaryFileName(name)) {
      view.kaomojiFiles[name] = files.ReadFile(Utf8Of(entry.path())).bytes;
    }
  }
  const std::string settings = world.AppFolder() + "/" + store::kSettingsFileName;
  view.settingsBytes = files.ReadFile(settings).bytes;

  std::vector<std::string> categories;
  if (const store::SettingsValue list = store::SettingsFile(files, settings).Read("LIST", "LIST");
      list.value) {
    categories = store::ParseCategoryList(*list.value);
  }
  std::map<std::string, Holdings> holders;  // the kaomoji texts by file
  for (const auto& [name, bytes] : view.kaomojiFiles) {
    for (const std::string& text : store::ParseKaomojiFile(bytes).entries) ++holders[name][text];
  }
  if (program != nullptr && world.ProgramRunning()) {
    for (const std::string& name : world.ListTexts(platform::ListId::List3)) {
      categories.push_back(name);
    }
    // The shown list belongs to CurrentFile; with none, it stands alone.
    Holdings shown;
    for (const std::string& text : world.ListTexts(platform::ListId::List2)) ++shown[text];
    Holdings& file = holders[program->CurrentFile()];
    for (const auto& [text, count] : shown) file[text] = std::max(file[text], count);
  }
  for (const std::string& name : categories) view.holdings["category " + Quoted(name)] = 1;
  view.categories = std::set<std::string>(categories.begin(), categories.end()).size();
  for (const auto& [name, texts] : holders) {
    for (const auto& [text, count] : texts) {
      view.holdings["kaomoji " + Quoted(text)] += count;
      view.holdings["kaomoji " + Quoted(text) + " in data/" + name] = count;
    }
  }
  return view;
}

std::vector<std::string> Lost(const Holdings& before, const Holdings& after, const Holdings& end) {
  std::vector<std::string> lost;
  auto count = [](const Holdings& holdings, const std::string& thing) {
    const auto found = holdings.find(thing);
    return found == holdings.end() ? 0 : found->second;
  };
  for (const auto& [thing, held] : before) {
    const int kept = std::min(held, count(after, thing));
    const int have = count(end, thing);
    if (have < kept) {
      lost.push_back(thing + " (" + std::to_string(have) + " of " + std::to_string(kept) + ")");
    }
  }
  return lost;
}

}  // namespace pelorin::scenario
