// Reading the category list of 2,000 categories and each category's FILE
// key once, through store::SettingsFile as the program does (every access
// reads the file anew). The same reads through Wine's own profile functions
// are the baseline of the Windows timings.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "bench/benchmarks.h"
#include "platform/std_file_system.h"
#include "platform/text_codec.h"
#include "store/file_names.h"
#include "store/settings_file.h"
#include "store/window_state.h"

namespace pelorin::bench {
namespace {

std::vector<std::string> CategoryNames(std::size_t count) {
  static const char* const kWords[] = {"挨拶", "動物", "喜び", "怒り", "悲しみ", "食べ物", "驚き"};
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) names.push_back(kWords[i % 7] + std::to_string(i));
  return names;
}

// 設定.ini with the list, a FILE key for each name and the window state.
std::string WriteSettingsFile(const std::vector<std::string>& names) {
  std::string text = "[LIST]\r\nLIST=" + store::JoinCategoryList(names).value_or("") + "\r\n";
  text += "[FILE]\r\n";
  for (const std::string& name : names) text += name + "=" + name + ".txt\r\n";
  text += "[DATA]\r\nSTATE=0,1200,1200,3040,5600,True,False\r\n";
  const std::string path = BenchFolder() + "/categories-" + std::to_string(names.size()) + ".ini";
  PlainWrite(path, platform::EncodeCp932(text).value());
  return path;
}

void CategoryListProgram(benchmark::State& state, std::size_t count) {
  const std::string path = WriteSettingsFile(CategoryNames(count));
  platform::StdFileSystem files;
  store::SettingsFile settings(files, path);
  for (auto _ : state) {
    const std::vector<std::string> names =
        store::ParseCategoryList(settings.Read("LIST", "LIST").value.value_or(""));
    std::size_t found = 0;
    for (const std::string& name : names) {
      const store::SettingsValue file = settings.Read("FILE", name);
      found += file.value && store::IsPlainFileName(*file.value) ? 1 : 0;
    }
    if (names.size() != count || found != count) state.SkipWithError("names or files lost");
  }
}

}  // namespace

void RegisterCategoryListBenchmarks() {
  Register("category list/program/" + std::to_string(kCategoryCount), CategoryListProgram,
           kCategoryCount);
}

}  // namespace pelorin::bench
