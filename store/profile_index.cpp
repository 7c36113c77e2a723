#include "store/profile_index.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "store/profile_syntax.h"

namespace pelorin::store {

ProfileIndex::ProfileIndex(std::string text) : bytes_(std::move(text)) {
  std::unordered_set<std::string> sectionsSeen;  // folded
  // Only the first section of a name counts: a repeat's keys are never read,
  // nor are the keys before the first section.
  bool inFirstOfName = false;
  std::string slot;  // the section's slot prefix, then each key's slot
  std::size_t prefix = 0;
  LineReader lines(bytes_);
  while (std::optional<std::string_view> line = lines.Next()) {
    if (std::optional<std::string_view> name = SectionName(*line)) {
      slot.clear();
      AppendFoldedName(slot, *name);
      inFirstOfName = sectionsSeen.insert(slot).second;
      slot.push_back('\n');
      prefix = slot.size();
      continue;
    }
    if (!inFirstOfName) continue;
    std::optional<std::string_view> key = KeyName(*line);
    if (!key) continue;
    slot.resize(prefix);
    AppendFoldedName(slot, *key);
    const std::size_t valueStart =
        static_cast<std::size_t>(line->data() - bytes_.data()) + key->size() + 1;
    // try_emplace keeps the first key of a name.
    values_.try_emplace(slot, Span{valueStart, line->size() - key->size() - 1});
  }
}

std::optional<std::string_view> ProfileIndex::Get(std::string_view section,
                                                  std::string_view key) const {
  std::string slot;
  slot.reserve(section.size() + 1 + key.size());
  AppendFoldedName(slot, section);
  slot.push_back('\n');
  AppendFoldedName(slot, key);
  auto found = values_.find(slot);
  if (found == values_.end()) return std::nullopt;
  return std::string_view(bytes_).substr(found->second.offset, found->second.size);
}

}  // namespace pelorin::store
