#include "store/file_names.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>

namespace pelorin::store {

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("\\/:") == std::string_view::npos;
}

bool IsDeviceName(std::string_view stem) {
  // Windows ignores trailing spaces and dots and anything after the first dot.
  std::string upper(stem.substr(0, stem.find('.')));
  while (!upper.empty() && upper.back() == ' ') upper.pop_back();
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
  if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT"))) {
    return upper[3] >= '1' && upper[3] <= '9';
  }
  return false;
}

bool IsPortableFileName(std::string_view name) {
  if (!IsPlainFileName(name)) return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return false;
  }
  if (name.find_first_of("*?\"<>|") != std::string_view::npos) return false;
  return !IsDeviceName(name);
}

bool CanNameItsOwnFile(std::string_view category) {
  return category.size() <= kLongestNameBytes && IsPortableFileName(std::string(category) + ".txt");
}

bool IsUsableFileName(std::string_view name) {
  return name.size() <= kLongestNameBytes + 4 && IsPortableFileName(name);
}

std::string ChosenFileName(std::string_view category) {
  constexpr std::size_t kKeptBytes = 100;
  std::string stem;
  for (const char c : category) {
    const auto byte = static_cast<unsigned char>(c);
    const bool forbidden = byte < 0x20 || byte == 0x7F ||
                           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    stem += forbidden ? '_' : c;
  }
  if (stem.size() > kKeptBytes) {
    std::size_t cut = kKeptBytes;
    // Back to the first byte of a UTF-8 character.
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
    stem.resize(cut);
  }
  if (IsDeviceName(stem)) stem = "_" + stem;
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char c : category) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(hash));
  return stem + "~" + digits + ".txt";
}

}  // namespace pelorin::store
