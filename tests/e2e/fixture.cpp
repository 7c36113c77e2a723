#include "tests/e2e/fixture.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/win32/wide.h"

namespace pelorin::e2e {
bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

const std::vector<FixtureCategory>& FixtureCategories() {
  static const std::vector<FixtureCategory> categories = {
      {L"顔", {L"(^_^)", L"(・ω・)", L"ヽ(´ー｀)ノ", L"(*´∀｀*)", L"(～o～)"}, false},
      {L"動物", {L"(=^・^=)", L"ʕ•ᴥ•ʔ", L"U・ｪ・U"}, true},
  };
  return categories;
}

std::string ToCp932(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  const int length = ::WideCharToMultiByte(932, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(length > 0 ? length : 0), '\0');
  ::WideCharToMultiByte(932, 0, text.data(), size, result.data(), length, nullptr, nullptr);
  return result;
}

std::wstring FromCp932(const std::string& bytes) {
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(932, 0, bytes.data(), size, nullptr, 0);
  std::wstring result(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  ::MultiByteToWideChar(932, 0, bytes.data(), size, result.data(), length);
  return result;
}

std::wstring SettingsPath(const std::wstring& appFolder) { return appFolder + L"\\設定.ini"; }

bool ReadBytes(const std::wstring& path, std::string* bytes) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteFixture(const std::wstring& appFolder, std::string* error) {
  namespace fs = std::filesystem;
  std::error_code code;
  fs::create_directories(fs::path(appFolder) / L"data", code);
  if (code) {
    *error = "cannot make the data folder: " + code.message();
    return false;
  }
  std::wstring list;
  std::wstring files;
  for (const FixtureCategory& category : FixtureCategories()) {
    list += category.name + L",";
    files += category.name + L"=" + category.name + L".txt\r\n";
    std::wstring lines;
    for (const std::wstring& kaomoji : category.kaomoji) lines += kaomoji + L"\r\n";
    const std::string bytes =
        category.utf8WithMark ? "\xEF\xBB\xBF" + platform::win32::Narrow(lines) : ToCp932(lines);
    if (!WriteBytes(fs::path(appFolder) / L"data" / (category.name + L".txt"), bytes)) {
      *error = "cannot write a kaomoji file";
      return false;
    }
  }
  std::wstring state;
  for (const char* c = kFixtureState; *c != '\0'; ++c) state += static_cast<wchar_t>(*c);
  const std::wstring settings =
      L"[LIST]\r\nLIST=" + list + L"\r\n[FILE]\r\n" + files + L"[DATA]\r\nSTATE=" + state + L"\r\n";
  if (!WriteBytes(fs::path(SettingsPath(appFolder)), ToCp932(settings))) {
    *error = "cannot write the settings file";
    return false;
  }
  return true;
}

}  // namespace pelorin::e2e
