#include "tests/e2e/wine_scenario/app_folder.h"

namespace pelorin::wine_scenario {

namespace fs = std::filesystem;

AppFolder::AppFolder(const fs::path& base, int number, const fs::path& exe)
    : reachable_(base / std::to_wstring(number)),
      path_(reachable_ / L"1" / L"2" / L"3" / L"4" /
            (std::to_wstring(number) + L" 顔文字 Pelorin")) {
  fs::remove_all(reachable_);
  fs::create_directories(path_ / L"data");
  fs::copy_file(exe, Exe(), fs::copy_options::overwrite_existing);
}

AppFolder::~AppFolder() {
  if (keep_) return;
  std::error_code error;
  fs::remove_all(reachable_, error);
}

}  // namespace pelorin::wine_scenario
