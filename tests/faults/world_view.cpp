#include "tests/faults/world_view.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "app/form1.h"
#include "platform/std_file_system.h"
#include "store/file_names.h"
#include "store/kaomoji_file.h"
#include "store/settings_file.h"
#include "store/window_state.h"

namespace pelorin::faults {

namespace fs = std::filesystem;

namespace {

std::string Utf8Name(const fs::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

void ReadSettings(platform::StdFileSystem& files, const std::string& folder, WorldView& view) {
  const std::string path = folder + "/" + store::kSettingsFileName;
  platform::ReadResult raw = files.ReadFile(path);
  view.settingsReadable = raw.status != platform::ReadStatus::Unreadable;
  view.settingsBytes = std::move(raw.bytes);
  store::SettingsFile settings(files, path);
  const store::SettingsValue list = settings.Read("LIST", "LIST");
  if (list.value) view.categoriesOnDisk = store::ParseCategoryList(*list.value);

  std::set<std::string> names(view.categoriesOnDisk.begin(), view.categoriesOnDisk.end());
  names.insert(view.categoriesOnScreen.begin(), view.categoriesOnScreen.end());
  for (const std::string& name : names) {
    const store::SettingsValue file = settings.Read("FILE", name);
    const bool plain = file.value && store::IsPlainFileName(*file.value);
    view.fileOfCategory[name] = plain ? *file.value : name + ".txt";
  }
}

void ReadFolder(platform::StdFileSystem& files, const fs::path& folder, bool kaomoji,
                WorldView& view) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = Utf8Name(entry.path());
    if (name.find(".tmp-") != std::string::npos) {
      view.temporaryFiles.push_back(name);
      continue;
    }
    if (!kaomoji || !entry.is_regular_file(error)) continue;
    platform::ReadResult read = files.ReadFile(entry.path().generic_string());
    KaomojiFileView file;
    file.bytes = std::move(read.bytes);
    store::KaomojiFileContent content = store::ParseKaomojiFile(file.bytes);
    file.entries = std::move(content.entries);
    file.damaged = content.encoding == store::KaomojiEncoding::Damaged;
    view.kaomojiFiles[name] = std::move(file);
  }
}

}  // namespace

WorldView TakeView(sim::SimPlatform& world, const app::Form1* program) {
  WorldView view;
  view.running = program != nullptr && world.ProgramRunning();
  if (view.running) {
    view.categoriesOnScreen = world.ListTexts(platform::ListId::List3);
    view.kaomojiOnScreen = world.ListTexts(platform::ListId::List2);
    view.shownFile = program->CurrentFile();
    view.selectedKaomoji = world.ListSelected(platform::ListId::List2);
    view.selectedCategory = world.ListSelected(platform::ListId::List3);
  }
  platform::StdFileSystem files;
  const std::string folder = world.AppFolder();
  ReadSettings(files, folder, view);
  ReadFolder(files, PathOf(folder), false, view);
  ReadFolder(files, PathOf(folder) / "data", true, view);
  return view;
}

bool SameScreen(const WorldView& a, const WorldView& b) {
  return a.running == b.running && a.categoriesOnScreen == b.categoriesOnScreen &&
         a.kaomojiOnScreen == b.kaomojiOnScreen && a.shownFile == b.shownFile &&
         a.selectedKaomoji == b.selectedKaomoji && a.selectedCategory == b.selectedCategory;
}

}  // namespace pelorin::faults
