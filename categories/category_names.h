#pragma once
// Which category names can be stored safely: as a key of the settings file,
// as a piece of the comma-joined category list, and as a kaomoji file name in
// `data` on every Windows file system.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin::categories {

// The blank test: nothing left after removing ordinary and ideographic
// spaces (U+3000, which Japanese input methods type) at both ends.
bool IsBlank(std::string_view text);

// Letter case folded as the Windows file system ignores it: ASCII,
// full-width Latin, Greek, Cyrillic and the Roman numerals.
std::string FoldCase(std::string_view utf8);

// The longest name, in bytes of UTF-8, whose kaomoji file "<name>.txt" and
// the temporary file of its atomic save (about 40 characters longer) fit in
// the 255 that file systems allow for one file name: Windows counts UTF-16
// units, Linux (a collection copied there) bytes, and a UTF-8 byte count
// is never below either.
inline constexpr std::size_t kLongestNameBytes = 200;

// The message that refuses `name`, or nullopt when it can be stored.
// `others` are the names of the other categories (the renamed one excluded).
std::optional<std::string> RefusalOf(const std::string& name,
                                     const std::vector<std::string>& others);

}  // namespace pelorin::categories
