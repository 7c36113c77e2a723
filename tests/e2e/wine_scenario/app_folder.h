#pragma once
// A fresh application folder for one scenario: a copy of the program under
// test named Pelorin.exe and an empty folder "data". It lies a few folders
// deep in a folder of the scenario's own under the run's base folder, so
// that a path leading out of it ("data/..\\..\\z.txt") stays in the
// scenario's folder and can be checked there. Removed again when the
// scenario passed; kept for a look otherwise.

#include <filesystem>
#include <string>

namespace pelorin::wine_scenario {

class AppFolder {
 public:
  // Makes "<base>/<number>/1/2/3/4/<number> 顔文字 Pelorin" (a space and
  // Japanese in the path, as on many a real desktop); throws
  // std::filesystem::filesystem_error.
  AppFolder(const std::filesystem::path& base, int number, const std::filesystem::path& exe)
      : reachable_(base / std::to_wstring(number)),
        path_(reachable_ / L"1" / L"2" / L"3" / L"4" /
              (std::to_wstring(number) + L" 顔文字 Pelorin")) {
    std::filesystem::remove_all(reachable_);
    std::filesystem::create_directories(path_ / L"data");
    std::filesystem::copy_file(exe, Exe(), std::filesystem::copy_options::overwrite_existing);
  }
  ~AppFolder() {
    std::error_code error;
    if (!keep_) std::filesystem::remove_all(reachable_, error);
  }
  AppFolder(const AppFolder&) = delete;
  AppFolder& operator=(const AppFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The scenario's own folder, which holds the application folder.
  const std::filesystem::path& Reachable() const { return reachable_; }
  std::filesystem::path Exe() const { return path_ / L"Pelorin.exe"; }
  void Keep() { keep_ = true; }

 private:
  std::filesystem::path reachable_;
  std::filesystem::path path_;
  bool keep_ = false;
};

}  // namespace pelorin::wine_scenario
