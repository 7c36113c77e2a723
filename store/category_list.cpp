// The category list in the settings file: SaveCategoryList and its reader.
#include "app/form1.h"
#include "store/window_state.h"

namespace pelorin::app {

void Form1::SaveCategoryList() { ReportSettingsWrite(WriteCategoryList()); }

store::SettingsWrite Form1::WriteCategoryList() {
  const std::optional<std::string> joined =
      store::JoinCategoryList(platform_.ListTexts(ListId::List3));
  // No category: no value at all, which removes the key.
  return settings_.Write("LIST", "LIST", joined);
}

std::optional<std::vector<std::string>> Form1::ReadCategoryList() {
  const store::SettingsValue value = settings_.Read("LIST", "LIST");
  if (!value.readable) return std::nullopt;
  if (!value.value) return std::vector<std::string>{};
  return store::ParseCategoryList(*value.value);
}

}  // namespace pelorin::app
