#pragma once
// The prepared application folder: 設定.ini in code page 932 and one kaomoji
// file per category, as a user's folder would hold them.

#include <filesystem>
#include <string>
#include <vector>

namespace pelorin::e2e {

struct FixtureCategory {
  std::wstring name;
  std::vector<std::wstring> kaomoji;
  bool utf8WithMark;  // the file is UTF-8 with a byte-order mark (it holds non-cp932 text)
};

const std::vector<FixtureCategory>& FixtureCategories();
// STATE as first saved: 顔 selected, 1500,1500 twips from the corner, menu bar
// shown, always on top.
inline constexpr char kFixtureState[] = "0,1500,1500,2700,4800,True,True";

// Writes the settings file and the data folder beside Pelorin.exe.
bool WriteFixture(const std::wstring& appFolder, std::string* error);

std::wstring SettingsPath(const std::wstring& appFolder);

// Windows' own code page 932 conversions (not the program's).
std::string ToCp932(const std::wstring& text);
std::wstring FromCp932(const std::string& bytes);

bool ReadBytes(const std::wstring& path, std::string* bytes);
bool WriteBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace pelorin::e2e
