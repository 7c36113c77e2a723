#pragma once
// One opening of the search window: the collection read as it opened, the
// results for the text now in the field, and the lines under them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "search/search_collection.h"

namespace pelorin::search {

class SearchResults : public platform::SearchSource {
 public:
  // `unreadableFile`: the first kaomoji file that exists but could not be
  // read ("" when none).
  SearchResults(const SearchCollection& collection, std::string unreadableFile);

  void SetText(const std::string& text) override;
  int ResultCount() const override { return static_cast<int>(results_.size()); }
  std::string ResultKaomoji(int index) const override;
  std::string ResultCategory(int index) const override;
  std::vector<std::string> StatusLines() const override;

  // The collection's entry shown as result `index`.
  std::uint32_t EntryOf(int index) const { return results_.at(static_cast<std::size_t>(index)); }

 private:
  const SearchCollection& collection_;
  std::string unreadableFile_;
  std::vector<std::uint32_t> results_;
};

}  // namespace pelorin::search
