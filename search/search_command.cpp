// The search over every kaomoji (ID_FIND, Ctrl+F in either list): the window
// opens on what the lists and the kaomoji files hold now, and a chosen result
// is selected and pasted as the user's own selection and Enter would do. The
// search writes no file and changes the lists only through those selections.
#include "app/form1.h"
#include "app/messages.h"
#include "search/search_collection.h"
#include "search/search_results.h"
#include "store/file_names.h"
#include "store/kaomoji_file.h"
#include "store/settings_file.h"

namespace pelorin::app {

std::string Form1::CollectKaomojiForSearch(search::SearchCollection& collection,
                                           std::vector<std::string>& fileOfCategory) const {
  std::string unreadable;
  const std::vector<std::string> categories = platform_.ListTexts(ListId::List3);
  for (int i = 0; i < static_cast<int>(categories.size()); ++i) {
    std::string file;
    std::vector<std::string> kaomoji;
    if (!CurrentFile_.empty() && categories[i] == shownCategory_) {
      // As they stand, changes not yet saved included.
      kaomoji = platform_.ListTexts(ListId::List2);
    } else if (const std::optional<std::string> found = FindKaomojiFile(categories[i]); !found) {
      if (unreadable.empty()) unreadable = store::kSettingsFileName;
    } else if (file = *found; store::IsPortableFileName(file)) {
      const platform::ReadResult read = platform_.Files().ReadFile(DataPath(file));
      if (read.status == platform::ReadStatus::Ok) {
        kaomoji = store::ParseKaomojiFile(read.bytes).entries;
      } else if (read.status == platform::ReadStatus::Unreadable && unreadable.empty()) {
        unreadable = file;
      }
    }
    fileOfCategory.push_back(file);
    collection.AddCategory(categories[i], i, std::move(kaomoji));
  }
  return unreadable;
}

void Form1::OpenSearch() {
  if (!platform_.OffersSearch()) return;
  search::SearchCollection collection;
  std::vector<std::string> fileOfCategory;  // "" for the shown category
  const std::string unreadable = CollectKaomojiForSearch(collection, fileOfCategory);
  search::SearchResults results(collection, unreadable);
  const ListId hadFocus = platform_.FocusedList();
  std::optional<platform::SearchChoice> choice;
  {
    ModalScope modal(*this);
    choice = platform_.SearchWindow(messages::kSearchCaption, results);
  }
  if (!choice || choice->result < 0 || choice->result >= results.ResultCount()) {
    FocusList(hadFocus);
    return;
  }

  const std::uint32_t entry = results.EntryOf(choice->result);
  const int position = collection.CategoryPosition(entry);
  const std::string& file = fileOfCategory[static_cast<std::size_t>(position)];
  if (!file.empty()) {
    Select(ListId::List3, position);
    // Category selection kept the shown list (it could not be saved, or
    // the file could not be read) and said so: nothing more happens.
    if (CurrentFile_.empty() || CurrentFile_ != file) return;
  }
  FocusList(ListId::List2);
  const int place = collection.Place(entry);
  if (place < platform_.ListCount(ListId::List2)) Select(ListId::List2, place);
  LastShift_ = static_cast<std::int16_t>(choice->shift);
  Paste();
}

}  // namespace pelorin::app
