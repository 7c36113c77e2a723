// Delete category: after confirmation, its FILE key, its entry and its
// kaomoji file go; the first remaining category is shown.
#include "app/form1.h"
#include "app/messages.h"
#include "categories/category_messages.h"
#include "store/file_names.h"

namespace pelorin::app {

void Form1::DeleteCategory() {
  const int position = platform_.ListSelected(ListId::List3);
  if (position < 0) return;
  const std::string name = platform_.ListText(ListId::List3, position);
  if (Message(name + messages::kDeleteQuestion, messages::kOkCancel, categories::kDeleteCaption) !=
      platform::kMsgBoxOk) {
    return;
  }
  ReportSettingsWrite(settings_.Write("FILE", name, std::nullopt));
  platform_.ListRemove(ListId::List3, position);
  // A failed delete leaves the file behind without a category; ignored.
  if (store::IsPortableFileName(CurrentFile_)) {
    (void)platform_.Files().RemoveFile(DataPath(CurrentFile_));
  }
  CurrentFile_.clear();
  shownCategory_.clear();
  KaomojiListProtected_ = false;
  SaveCategoryList();
  if (platform_.ListCount(ListId::List3) > 0) {
    Select(ListId::List3, 0);
  } else {
    platform_.ListReplaceAll(ListId::List2, {});
  }
}

}  // namespace pelorin::app
