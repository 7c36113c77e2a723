#include "search/search_results.h"

#include <utility>

#include "app/messages.h"

namespace pelorin::search {

SearchResults::SearchResults(const SearchCollection& collection, std::string unreadableFile)
    : collection_(collection),
      unreadableFile_(std::move(unreadableFile)),
      results_(collection.Match("")) {}

void SearchResults::SetText(const std::string& text) { results_ = collection_.Match(text); }

std::string SearchResults::ResultKaomoji(int index) const {
  return collection_.Kaomoji(EntryOf(index));
}

std::string SearchResults::ResultCategory(int index) const {
  return collection_.CategoryName(EntryOf(index));
}

std::vector<std::string> SearchResults::StatusLines() const {
  std::vector<std::string> lines{app::messages::SearchCount(ResultCount())};
  if (!unreadableFile_.empty()) {
    lines.push_back(app::messages::SearchUnreadableFile(unreadableFile_));
  }
  return lines;
}

}  // namespace pelorin::search
