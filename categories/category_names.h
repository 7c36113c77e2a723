#pragma once
// Which category names can be stored safely: as a key of the settings file,
// as a piece of the comma-joined category list, and as a kaomoji file name in
// `data` on every Windows file system.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/file_names.h"

namespace pelorin::categories {

// The blank test: nothing left after removing ordinary and ideographic
// spaces (U+3000, which Japanese input methods type) at both ends.
bool IsBlank(std::string_view text);

// Letter case folded as the Windows file system ignores it: ASCII,
// full-width Latin, Greek, Cyrillic and the Roman numerals.
std::string FoldCase(std::string_view utf8);

// The longest name, in bytes of UTF-8 (store/file_names.h says why).
inline constexpr std::size_t kLongestNameBytes = store::kLongestNameBytes;

// The message that refuses `name`, or nullopt when it can be stored.
// `others` are the names of the other categories (the renamed one excluded).
std::optional<std::string> RefusalOf(const std::string& name,
                                     const std::vector<std::string>& others);

}  // namespace pelorin::categories
