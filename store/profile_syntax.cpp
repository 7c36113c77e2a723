#include "store/profile_syntax.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pelorin::store {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t FirstNonBlank(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  std::size_t open = FirstNonBlank(line);
  if (open == line.size() || line[open] != '[') return std::nullopt;
  std::size_t close = line.find(']', open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(open + 1, close - open - 1));
}

std::optional<std::string_view> KeyName(std::string_view line) {
  if (!line.empty() && line.front() == ';') return std::nullopt;
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return line.substr(0, equals);
}

void AppendFoldedName(std::string& to, std::string_view name) {
  const std::size_t start = to.size();
  to.append(name);
  for (std::size_t i = start; i < to.size(); ++i) to[i] = FoldAscii(to[i]);
}

}  // namespace pelorin::store
