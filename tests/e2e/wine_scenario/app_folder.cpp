#include "tests/e2e/wine_scenario/app_folder.h"

#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {

namespace fs = std::filesystem;

AppFolder::AppFolder(const fs::path& base, int number, const fs::path& exe)
    : path_(base / (std::to_wstring(number) + L" 顔文字 Pelorin")) {
  fs::remove_all(path_);
  fs::create_directories(path_ / L"data");
  fs::copy_file(exe, Exe(), fs::copy_options::overwrite_existing);
}

AppFolder::~AppFolder() {
  if (keep_) return;
  std::error_code error;
  fs::remove_all(path_, error);
}

std::string AppFolder::Utf8Path() const { return Utf8(path_.generic_wstring()); }

bool AppFolder::ExistsExactly(const fs::path& resolved) const {
  fs::path at = path_;
  std::error_code error;
  for (const fs::path& part : resolved.lexically_relative(path_)) {
    if (part == L".") continue;
    bool found = false;
    for (const fs::directory_entry& entry : fs::directory_iterator(at, error)) {
      if (entry.path().filename().wstring() == part.wstring()) {
        found = true;
        break;
      }
    }
    if (!found) return false;
    at /= part;
  }
  return true;
}

std::optional<fs::path> AppFolder::Resolve(const std::string& relative, std::string& why) const {
  const fs::path path(Wide(relative));
  bool escapes =
      relative.empty() || path.is_absolute() || path.has_root_name() || path.has_root_directory();
  for (const fs::path& part : path.lexically_normal()) escapes = escapes || part == L"..";
  if (escapes) {
    why = *Expected("a path inside the application folder", Quoted(relative));
    return std::nullopt;
  }
  return path_ / path;
}

}  // namespace pelorin::wine_scenario
