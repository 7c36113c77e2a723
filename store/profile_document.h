#pragma once
// The profile (INI) file format, on the file's text in UTF-8 (the settings
// file decodes and encodes it, store/settings_encoding.h), with the
// behaviour of the Windows profile functions except that keys and values are
// kept exactly (no trimming) and nothing is cut at a capacity.
//
// - "[name]" starts a section; "key=value" lines belong to the last section.
// - Section and key names match ignoring ASCII letter case; every other
//   character is compared exactly.
// - Set on a missing section appends "[section]" and the key at the end of
//   the file; a missing key is appended at the end of its section.
// - Remove (nullopt) deletes the key's line; the section header stays.
// - Lines the program does not understand (comments, blank lines) are kept
//   byte for byte. Serialize writes CR LF after every line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin::store {

class ProfileDocument {
 public:
  static ProfileDocument Parse(std::string_view bytes);

  // Section, key and value are UTF-8. ProfileIndex (store/profile_index.h)
  // reads the values.
  void Set(std::string_view section, std::string_view key, std::optional<std::string_view> value);
  std::string Serialize() const;

 private:
  std::vector<std::string> lines_;  // without line ends
};

// ASCII-case-insensitive comparison of UTF-8 texts.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Whether Set can store the text so that it reads back exactly. A key
// cannot hold '=' or a line break, nor begin with ';' or (after blanks) '[',
// whose lines read as comments or sections; a value cannot hold a line break;
// a section name cannot hold ']' or a line break, nor begin or end with a
// blank.
bool IsStorableSection(std::string_view section);
bool IsStorableKey(std::string_view key);
bool IsStorableValue(std::string_view value);

}  // namespace pelorin::store
