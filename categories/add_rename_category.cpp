// Add category and rename category: the list, the kaomoji file in `data`,
// the FILE key and the saved category list kept in step.
#include "app/form1.h"
#include "app/messages.h"
#include "categories/category_messages.h"
#include "categories/category_names.h"

namespace pelorin::app {

namespace {

// The first position whose name equals `name` exactly, or -1.
int FindExact(const std::vector<std::string>& names, const std::string& name) {
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    if (names[i] == name) return i;
  }
  return -1;
}

std::vector<std::string> Without(std::vector<std::string> names, int index) {
  if (index >= 0) names.erase(names.begin() + index);
  return names;
}

}  // namespace

void Form1::AddCategory() {
  const platform::Rect window = platform_.WindowRect();
  const std::string name = AskInput(categories::kAddPrompt, categories::kAddCaption, "",
                                              window.left, window.top)
                               .value_or("");
  if (categories::IsBlank(name)) return;
  const std::vector<std::string> names = platform_.ListTexts(ListId::List3);
  if (FindExact(names, name) >= 0) {
    Message(messages::kDuplicateCategory);
    return;
  }
  if (auto refusal = categories::RefusalOf(name, names)) {
    Message(*refusal);
    return;
  }
  // A file of that name already in `data` (copied there, or left behind) is
  // adopted with its kaomoji, never emptied.
  const std::string file = name + ".txt";
  const std::string path = DataPath(file);
  if (!platform_.Files().Exists(path)) {
    const bool created = platform_.Files().MakeDirectory(DataFolder()).ok &&
                         platform_.Files().WriteFileAtomic(path, "").ok;
    if (!created) {
      Message(categories::FileNotCreated(file), messages::kWarning);
      return;
    }
  }
  ReportSettingsWrite(settings_.Write("FILE", name, file));
  const int selected = platform_.ListSelected(ListId::List3);
  const int position = selected < 0 ? 0 : selected;
  platform_.ListInsert(ListId::List3, position, name);
  Select(ListId::List3, position);
  SaveCategoryList();
}

void Form1::RenameCategory() {
  const int position = platform_.ListSelected(ListId::List3);
  if (position < 0) return;
  const std::string old = platform_.ListText(ListId::List3, position);
  const platform::Rect window = platform_.WindowRect();
  const std::string name = AskInput(categories::kRenamePrompt,
                                              categories::kRenameCaption, old, window.left,
                                              window.top)
                               .value_or("");
  if (categories::IsBlank(name)) return;
  const std::vector<std::string> names = platform_.ListTexts(ListId::List3);
  if (FindExact(names, name) >= 0) {
    if (name != old) Message(messages::kDuplicateCategory);
    return;
  }
  if (auto refusal = categories::RefusalOf(name, Without(names, position))) {
    Message(*refusal);
    return;
  }
  const std::string file = name + ".txt";
  // Another file of the new name would be overwritten by the next save. The
  // renamed category's own file under another letter case is no such file.
  const bool sameFile = categories::FoldCase(file) == categories::FoldCase(CurrentFile_);
  if (!sameFile && platform_.Files().Exists(DataPath(file))) {
    Message(categories::FileAlreadyThere(file));
    return;
  }
  ReportSettingsWrite(settings_.Write("FILE", old, std::nullopt));
  if (!CurrentFile_.empty()) {
    const std::string from = DataPath(CurrentFile_);
    if (!platform_.Files().RenameFile(from, DataPath(file)).ok && platform_.Files().Exists(from)) {
      // The old file stays where it was; the shown list goes to the new
      // file at the next save, so nothing is left unreferenced and lost.
      MarkKaomojiListChanged();
    }
  }
  CurrentFile_ = file;
  shownCategory_ = name;
  platform_.ListRemove(ListId::List3, position);
  platform_.ListInsert(ListId::List3, position, name);
  ReportSettingsWrite(settings_.Write("FILE", name, file));
  SaveCategoryList();
}

}  // namespace pelorin::app
