// The category list of 2,000 categories read, and each category's FILE key
// once, as category selection looks it up: through store::SettingsFile on
// Win32FileSystem (the program's code: every access reads the file anew)
// against the same reads through the system's GetPrivateProfileStringA, on
// the same file, the one the host benchmark reads
// (bench/category_list_bench.cpp). Both sides decode code page 932 and check
// the names alike; the two take turns.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/wine/measurements.h"
#include "bench/wine/wine_bench.h"
#include "platform/text_codec.h"
#include "platform/win32/win32_file_system.h"
#include "store/file_names.h"
#include "store/settings_file.h"
#include "store/window_state.h"

namespace pelorin::bench::wine {
namespace {

constexpr size_t kCategories = 2'000;

// As the host benchmark makes them.
std::vector<std::string> CategoryNames(size_t count) {
  static const char* const kWords[] = {"挨拶", "動物", "喜び", "怒り", "悲しみ", "食べ物", "驚き"};
  std::vector<std::string> names;
  for (size_t i = 0; i < count; ++i) names.push_back(kWords[i % 7] + std::to_string(i));
  return names;
}

std::string SettingsText(const std::vector<std::string>& names) {
  std::string text = "[LIST]\r\nLIST=" + store::JoinCategoryList(names).value_or("") + "\r\n";
  text += "[FILE]\r\n";
  for (const std::string& name : names) text += name + "=" + name + ".txt\r\n";
  text += "[DATA]\r\nSTATE=0,1200,1200,3040,5600,True,False\r\n";
  return text;
}

// The number of categories found with a usable FILE value.
size_t ReadThroughProgram(const std::string& path) {
  platform::win32::Win32FileSystem files;
  const store::SettingsFile settings(files, path);
  const std::vector<std::string> names =
      store::ParseCategoryList(settings.Read("LIST", "LIST").value.value_or(""));
  size_t found = 0;
  for (const std::string& name : names) {
    const store::SettingsValue file = settings.Read("FILE", name);
    found += file.value && store::IsPlainFileName(*file.value) ? 1 : 0;
  }
  return found;
}

std::string SystemRead(const char* section, const std::string& key, const std::string& path,
                       std::string& buffer) {
  const DWORD length = ::GetPrivateProfileStringA(section, key.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
  return platform::DecodeCp932(buffer.substr(0, length)).value_or("");
}

// The same through the system's profile function; `path` in code page 932.
size_t ReadThroughSystem(const std::string& path) {
  std::string buffer(1 << 20, '\0');
  const std::vector<std::string> names =
      store::ParseCategoryList(SystemRead("LIST", "LIST", path, buffer));
  size_t found = 0;
  for (const std::string& name : names) {
    const std::string file =
        SystemRead("FILE", platform::EncodeCp932(name).value_or(""), path, buffer);
    found += store::IsPlainFileName(file) ? 1 : 0;
  }
  return found;
}

template <typename Read>
std::optional<double> Timed(Read read, const std::string& path) {
  const LONGLONG start = Ticks();
  const size_t found = read(path);
  const LONGLONG stop = Ticks();
  if (found != kCategories) {
    std::fprintf(stderr, "%zu of %zu categories found\n", found, kCategories);
    return std::nullopt;
  }
  return TicksToMilliseconds(stop - start);
}

}  // namespace

std::optional<ProfileTimes> MeasureProfile(const std::string& folder, int runs) {
  // The system's "A" functions read and write the system's code page.
  if (::GetACP() != 932) {
    std::fprintf(stderr, "the system's code page is %u, not 932 (LANG=ja_JP.UTF-8?)\n", ::GetACP());
    return std::nullopt;
  }
  const std::string path = folder + "/categories-" + std::to_string(kCategories) + ".ini";
  platform::win32::Win32FileSystem files;
  const std::optional<std::string> bytes =
      platform::EncodeCp932(SettingsText(CategoryNames(kCategories)));
  if (!bytes || !files.WriteFileAtomic(path, *bytes)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return std::nullopt;
  }
  std::string systemPath = platform::EncodeCp932(path).value_or("");
  for (char& c : systemPath) c = c == '/' ? '\\' : c;

  std::vector<double> program;
  std::vector<double> system;
  for (int run = 0; run <= runs; ++run) {
    const std::optional<double> a = Timed(&ReadThroughProgram, path);
    const std::optional<double> b = Timed(&ReadThroughSystem, systemPath);
    if (!a || !b) return std::nullopt;
    if (run == 0) continue;  // warming up
    program.push_back(*a);
    system.push_back(*b);
  }
  return ProfileTimes{Median(program), Median(system)};
}

}  // namespace pelorin::bench::wine
