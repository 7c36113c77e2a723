#include "search/search_collection.h"

#include <numeric>
#include <utility>

#include "search/search_folding.h"

namespace pelorin::search {

void SearchCollection::AddCategory(std::string name, int position,
                                   std::vector<std::string> kaomoji) {
  const auto owner = static_cast<std::uint32_t>(categories_.size());
  categories_.push_back({std::move(name), position});
  for (std::size_t i = 0; i < kaomoji.size(); ++i) {
    folded_.push_back(FoldForSearch(kaomoji[i]));
    kaomoji_.push_back(std::move(kaomoji[i]));
    owner_.push_back(owner);
    place_.push_back(static_cast<std::uint32_t>(i));
  }
}

std::vector<std::uint32_t> SearchCollection::Match(std::string_view text) const {
  const std::string wanted = FoldForSearch(text);
  std::vector<std::uint32_t> matches;
  if (wanted.empty()) {
    matches.resize(folded_.size());
    std::iota(matches.begin(), matches.end(), 0u);
    return matches;
  }
  for (std::size_t i = 0; i < folded_.size(); ++i) {
    if (folded_[i].find(wanted) != std::string::npos) {
      matches.push_back(static_cast<std::uint32_t>(i));
    }
  }
  return matches;
}

const std::string& SearchCollection::CategoryName(std::uint32_t entry) const {
  return categories_[owner_[entry]].name;
}

int SearchCollection::CategoryPosition(std::uint32_t entry) const {
  return categories_[owner_[entry]].position;
}

}  // namespace pelorin::search
