#include "tests/scenario/folder_paths.h"

#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

namespace fs = std::filesystem;

fs::path PathFromUtf8(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& path) {
  const std::u8string utf8 = path.generic_u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::optional<fs::path> ResolvePath(const ScenarioFolder& folder, const std::string& relative,
                                    std::string& why) {
  const fs::path path = PathFromUtf8(relative);
  bool escapes =
      relative.empty() || path.is_absolute() || path.has_root_name() || path.has_root_directory();
  const fs::path resolved = (folder.app / path).lexically_normal();
  const fs::path inside = resolved.lexically_relative(folder.reachable);
  escapes = escapes || inside.empty() || *inside.begin() == "..";
  if (escapes) {
    why = *Expected(folder.reachable == folder.app ? "a path inside the application folder"
                                                   : "a path inside the scenario's own folder",
                    Quoted(relative));
    return std::nullopt;
  }
  return resolved;
}

bool NamedExactly(const ScenarioFolder& folder, const fs::path& resolved) {
  fs::path at = folder.reachable;
  std::error_code error;
  for (const fs::path& part : resolved.lexically_relative(folder.reachable)) {
    // "data/" ends in an empty part: the folder itself.
    if (part.empty() || part == ".") continue;
    bool found = false;
    for (const fs::directory_entry& entry : fs::directory_iterator(at, error)) {
      if (entry.path().filename() == part) {
        found = true;
        break;
      }
    }
    if (!found) return false;
    at /= part;
  }
  return true;
}

}  // namespace pelorin::scenario
