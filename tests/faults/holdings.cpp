#include "tests/faults/holdings.h"

#include <algorithm>

#include "platform/sim/sim_dialogs.h"

namespace pelorin::faults {

namespace {

Multiset Count(const std::vector<std::string>& texts) {
  Multiset counted;
  for (const std::string& text : texts) ++counted[text];
  return counted;
}

// Each text as often as in the richer of the two.
Multiset Larger(Multiset a, const Multiset& b) {
  for (const auto& [text, count] : b) a[text] = std::max(a[text], count);
  return a;
}

Multiset Smaller(const Multiset& a, const Multiset& b) {
  Multiset common;
  for (const auto& [text, count] : a) {
    auto other = b.find(text);
    if (other != b.end()) common[text] = std::min(count, other->second);
  }
  return common;
}

void AddTo(Multiset& total, const Multiset& part) {
  for (const auto& [text, count] : part) total[text] += count;
}

// Lines for what `required` has more often than `found`.
void Compare(const Multiset& required, const Multiset& found, const std::string& where,
             std::vector<std::string>& missing) {
  for (const auto& [text, count] : required) {
    auto there = found.find(text);
    const int have = there == found.end() ? 0 : there->second;
    if (have >= count) continue;
    missing.push_back("kaomoji " + sim::Quote(text) + where + " (" + std::to_string(have) +
                      " of " + std::to_string(count) + ")");
  }
}

}  // namespace

Holdings HoldingsOf(const WorldView& view) {
  Holdings holdings;
  if (view.running) {
    holdings.categories.insert(view.categoriesOnScreen.begin(), view.categoriesOnScreen.end());
  }
  holdings.categories.insert(view.categoriesOnDisk.begin(), view.categoriesOnDisk.end());

  std::map<std::string, Multiset> holders;
  for (const auto& [name, file] : view.kaomojiFiles) holders[name] = Count(file.entries);
  if (view.running) {
    // The shown list belongs to CurrentFile; with none, it stands alone.
    Multiset& shown = holders[view.shownFile];
    shown = Larger(shown, Count(view.kaomojiOnScreen));
  }
  for (const auto& [name, holder] : holders) AddTo(holdings.kaomoji, holder);
  for (const std::string& category : holdings.categories) {
    auto file = view.fileOfCategory.find(category);
    if (file == view.fileOfCategory.end()) continue;
    auto holder = holders.find(file->second);
    holdings.kaomojiOfCategory[category] =
        holder == holders.end() ? Multiset{} : holder->second;
  }
  return holdings;
}

Holdings Common(const Holdings& a, const Holdings& b) {
  Holdings common;
  std::set_intersection(a.categories.begin(), a.categories.end(), b.categories.begin(),
                        b.categories.end(),
                        std::inserter(common.categories, common.categories.end()));
  common.kaomoji = Smaller(a.kaomoji, b.kaomoji);
  for (const std::string& category : common.categories) {
    auto inA = a.kaomojiOfCategory.find(category);
    auto inB = b.kaomojiOfCategory.find(category);
    if (inA == a.kaomojiOfCategory.end() || inB == b.kaomojiOfCategory.end()) continue;
    common.kaomojiOfCategory[category] = Smaller(inA->second, inB->second);
  }
  return common;
}

std::vector<std::string> Missing(const Holdings& required, const Holdings& found) {
  std::vector<std::string> missing;
  for (const std::string& category : required.categories) {
    if (!found.categories.contains(category)) {
      missing.push_back("category " + sim::Quote(category));
    }
  }
  Compare(required.kaomoji, found.kaomoji, "", missing);
  for (const auto& [category, texts] : required.kaomojiOfCategory) {
    auto there = found.kaomojiOfCategory.find(category);
    if (there == found.kaomojiOfCategory.end()) continue;
    Compare(texts, there->second, " in category " + sim::Quote(category), missing);
  }
  return missing;
}

}  // namespace pelorin::faults
