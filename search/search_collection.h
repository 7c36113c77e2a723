#pragma once
// Every kaomoji of every category, in the order of the category list and,
// within a category, of its list, each kept beside its folded form so that a
// keystroke costs one fold of the typed text and one substring scan.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin::search {

class SearchCollection {
 public:
  // Adds the next category of the category list (`position` in it) and its
  // kaomoji in list order.
  void AddCategory(std::string name, int position, std::vector<std::string> kaomoji);

  std::size_t Size() const { return kaomoji_.size(); }
  // The kaomoji (numbered in collection order) that hold `text` after
  // folding, in order; every kaomoji for the empty text.
  std::vector<std::uint32_t> Match(std::string_view text) const;

  const std::string& Kaomoji(std::uint32_t entry) const { return kaomoji_[entry]; }
  const std::string& CategoryName(std::uint32_t entry) const;
  // The category's position in the category list, and the kaomoji's in its own list.
  int CategoryPosition(std::uint32_t entry) const;
  int Place(std::uint32_t entry) const { return static_cast<int>(place_[entry]); }

 private:
  struct Category {
    std::string name;
    int position;
  };

  std::vector<Category> categories_;
  std::vector<std::string> kaomoji_;
  std::vector<std::string> folded_;
  std::vector<std::uint32_t> owner_;  // index into categories_
  std::vector<std::uint32_t> place_;
};

}  // namespace pelorin::search
