#include "store/file_names.h"

#include <algorithm>
#include <cctype>
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

}  // namespace pelorin::store
