#pragma once
// A fresh application folder for one scenario: a copy of the program under
// test named Pelorin.exe and an empty folder "data", under a base folder of
// the run. Removed again when the scenario passed; kept for a look otherwise.

#include <filesystem>
#include <optional>
#include <string>

namespace pelorin::wine_scenario {

class AppFolder {
 public:
  // Makes "<base>/<number> 顔文字 Pelorin" (a space and Japanese in the path,
  // as on many a real desktop); throws std::filesystem::filesystem_error.
  AppFolder(const std::filesystem::path& base, int number, const std::filesystem::path& exe);
  ~AppFolder();
  AppFolder(const AppFolder&) = delete;
  AppFolder& operator=(const AppFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path Exe() const { return path_ / L"Pelorin.exe"; }
  // The folder as UTF-8 with '/' separators, as the program's own code names it.
  std::string Utf8Path() const;
  void Keep() { keep_ = true; }

  // PATH of a command, inside the folder; an absolute path or one that climbs
  // out with ".." is refused (nullopt, with the failure in why).
  std::optional<std::filesystem::path> Resolve(const std::string& relative, std::string& why) const;
  // True when something stands at the resolved path under exactly this name,
  // letter case included: Windows finds "a.txt" when only "A.txt" is there,
  // but a scenario names files as they are named.
  bool ExistsExactly(const std::filesystem::path& resolved) const;

 private:
  std::filesystem::path path_;
  bool keep_ = false;
};

}  // namespace pelorin::wine_scenario
