#pragma once
// The values of a profile file's text, found without a scan: built in one
// pass over the bytes, then each Get is one hash look-up, by the rules of
// store/profile_document.h (the first section of a name and the first
// key of a name in it count; names match ignoring ASCII letter case).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pelorin::store {

class ProfileIndex {
 public:
  ProfileIndex() = default;  // of an empty file
  explicit ProfileIndex(std::string text);  // UTF-8

  // The text the index was built from.
  const std::string& Bytes() const { return bytes_; }
  // Section, key and value are UTF-8; the value is a part of Bytes().
  std::optional<std::string_view> Get(std::string_view section, std::string_view key) const;

 private:
  struct Span {
    std::size_t offset = 0;
    std::size_t size = 0;
  };

  std::string bytes_;
  // By the folded section name, '\n' and the folded key (AppendFoldedName).
  // Names in the file never hold a line break (a line ends there), so the
  // '\n' that joins them is unambiguous.
  std::unordered_map<std::string, Span> values_;
};

}  // namespace pelorin::store
