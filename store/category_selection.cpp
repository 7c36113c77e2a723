// Category selection: the list shown so far is written back, then the
// selected category's kaomoji file is loaded. SaveKaomojiFile.
#include "app/form1.h"
#include "app/messages.h"
#include "store/file_names.h"
#include "store/kaomoji_file.h"
#include "store/profile_document.h"

namespace pelorin::app {

namespace {

struct FileLookup {
  std::optional<std::string> file;  // nullopt: the settings file cannot be read
  bool chosenByProgram = false;     // a name no FILE value gave
};

FileLookup LookUpKaomojiFile(const store::SettingsFile& settings, const std::string& category) {
  const store::SettingsValue value = settings.Read("FILE", category);
  if (!value.readable) return {};
  // A value that could lead outside `data`, or that no file could have,
  // counts as no value at all.
  if (value.value && store::IsUsableFileName(*value.value)) return {*value.value, false};
  if (store::CanNameItsOwnFile(category)) return {category + ".txt", false};
  return {store::ChosenFileName(category), true};
}

}  // namespace

std::optional<std::string> Form1::FindKaomojiFile(const std::string& category) const {
  return LookUpKaomojiFile(settings_, category).file;
}

std::optional<std::string> Form1::KaomojiFileOf(const std::string& category) {
  const FileLookup found = LookUpKaomojiFile(settings_, category);
  // A name from a hand-edited settings file that no file can have: the
  // program's own choice, recorded without a word about the name (the user
  // did nothing wrong). A name the file cannot hold as a key finds the same
  // file again by the same choice; only a file that cannot be written is
  // reported, as every failed settings write is.
  if (found.chosenByProgram && store::IsStorableKey(category)) {
    ReportSettingsWrite(settings_.Write("FILE", category, *found.file));
  }
  return found.file;
}

void Form1::SelectCategory() {
  const int selected = platform_.ListSelected(ListId::List3);
  if (selected < 0) return;
  if (!CurrentFile_.empty() && !SaveKaomojiFile()) {
    ReportKaomojiNotSaved();
    PutCategorySelectionBack();
    return;
  }
  const std::string category = platform_.ListText(ListId::List3, selected);
  const std::optional<std::string> file = KaomojiFileOf(category);
  if (!file) {
    Message(messages::kSettingsNotReadNow, messages::kWarning);
    PutCategorySelectionBack();
    return;
  }
  if (*file == CurrentFile_) return;
  if (!LoadKaomojiFile(*file, category)) PutCategorySelectionBack();
}

bool Form1::LoadKaomojiFile(const std::string& fileName, const std::string& category) {
  const bool safe = store::IsPortableFileName(fileName);
  platform::ReadResult read;
  if (safe) read = platform_.Files().ReadFile(DataPath(fileName));
  if (read.status == platform::ReadStatus::Unreadable) {
    Message(messages::KaomojiFileUnreadable(category, fileName));
    return false;
  }
  store::KaomojiFileContent content;
  if (read.status == platform::ReadStatus::Ok) content = store::ParseKaomojiFile(read.bytes);
  platform_.ListReplaceAll(ListId::List2, content.entries);
  CurrentFile_ = fileName;
  shownCategory_ = category;
  // A missing file is created by the next save. A damaged file, or a name no
  // file may have, is not written unless the user changes the list.
  const bool damaged = content.encoding == store::KaomojiEncoding::Damaged;
  KaomojiListProtected_ = damaged || !safe;
  if (damaged) Message(messages::KaomojiFileDamaged(category, fileName), messages::kWarning);
  return true;
}

bool Form1::SaveKaomojiFile() {
  if (KaomojiListProtected_) return true;
  if (!store::IsPortableFileName(CurrentFile_)) return false;
  if (!platform_.Files().MakeDirectory(DataFolder())) return false;
  const std::string bytes = store::SerializeKaomojiFile(platform_.ListTexts(ListId::List2));
  // The same bytes are not written again: no new modification time, no
  // upload by a synced folder, no flush to the disk.
  const platform::ReadResult now = platform_.Files().ReadFile(DataPath(CurrentFile_));
  if (now.status == platform::ReadStatus::Ok && now.bytes == bytes) return true;
  return platform_.Files().WriteFileAtomic(DataPath(CurrentFile_), bytes).ok;
}

void Form1::ReportKaomojiNotSaved() {
  Message(messages::KaomojiNotSaved(shownCategory_, CurrentFile_), messages::kWarning);
}

void Form1::PutCategorySelectionBack() {
  // Without running category selection again, which would only fail again.
  const std::vector<std::string> names = platform_.ListTexts(ListId::List3);
  int shown = -1;
  if (!CurrentFile_.empty()) {
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
      if (names[i] == shownCategory_) shown = i;
    }
  }
  platform_.ListSelect(ListId::List3, shown);
}

}  // namespace pelorin::app
