// The search over every kaomoji on a collection of 200 categories and
// 100,000 kaomoji (the corpus over and over): the results that follow one
// keystroke, beside a plain substring scan of the same texts in memory, and
// the opening of the search window (every category's file read, read only).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/menu_table.h"
#include "bench/bench_data.h"
#include "bench/benchmarks.h"
#include "platform/sim/sim_platform.h"
#include "platform/text_codec.h"
#include "search/search_collection.h"
#include "search/search_results.h"
#include "store/kaomoji_file.h"

namespace pelorin::bench {
namespace {

constexpr std::size_t kPerCategory = kSearchKaomoji / kSearchCategories;

// What a user types, a keystroke at a time: short texts match many kaomoji,
// the empty text (everything deleted) every one.
const std::vector<std::string> kTyped = {"", "ω", "(", "(・", "(・ω", "ﾟ", "ﾟ∀", "^",
                                         "^_^", "o", "xd", "ｷﾀ", "´", "´∀｀", "m"};

std::string CategoryName(std::size_t i) { return "種類" + std::to_string(i); }

std::vector<std::string> KaomojiOf(std::size_t category) {
  const std::vector<std::string>& corpus = Cp932CorpusEntries();
  std::vector<std::string> kaomoji;
  for (std::size_t i = 0; i < kPerCategory; ++i) {
    kaomoji.push_back(corpus[(category * kPerCategory + i) % corpus.size()]);
  }
  return kaomoji;
}

// The search window's part on a real desktop: it asks for the results of the
// empty field and the count, and draws the first rows; then Esc.
class OpeningOnly : public sim::SimPlatform {
 public:
  std::optional<platform::SearchChoice> SearchWindow(const std::string&,
                                                     platform::SearchSource& source) override {
    source.SetText("");
    shown_ = source.ResultCount();
    for (int i = 0; i < 20 && i < shown_; ++i) {
      benchmark::DoNotOptimize(source.ResultKaomoji(i).size() + source.ResultCategory(i).size());
    }
    return std::nullopt;
  }
  int Shown() const { return shown_; }

 private:
  int shown_ = 0;
};

void WriteCollection(sim::SimPlatform& sim) {
  std::string list;
  std::string files;
  for (std::size_t i = 0; i < kSearchCategories; ++i) {
    const std::string name = CategoryName(i);
    list += name + ",";
    files += name + "=" + name + ".txt\r\n";
    PlainWrite(sim.AppFolder() + "/data/" + name + ".txt",
               store::SerializeKaomojiFile(KaomojiOf(i)));
  }
  const std::string settings = "[LIST]\r\nLIST=" + list + "\r\n[FILE]\r\n" + files +
                               "[DATA]\r\nSTATE=0,1200,1200,2710,4805,True,True\r\n";
  PlainWrite(sim.AppFolder() + "/設定.ini", platform::EncodeCp932(settings).value());
}

void OpenSearchProgram(benchmark::State& state, std::size_t count) {
  OpeningOnly sim;
  WriteCollection(sim);
  app::Form1 form(sim);
  form.Create();
  if (!sim.Load()) state.SkipWithError("the program did not start");
  for (auto _ : state) {
    if (!sim.Menu(app::ID_FIND).ok) state.SkipWithError("the menu item cannot be clicked");
  }
  if (sim.Shown() != static_cast<int>(count)) state.SkipWithError("kaomoji missing");
}

search::SearchCollection Collection() {
  search::SearchCollection collection;
  for (std::size_t i = 0; i < kSearchCategories; ++i) {
    collection.AddCategory(CategoryName(i), static_cast<int>(i), KaomojiOf(i));
  }
  return collection;
}

void KeystrokeProgram(benchmark::State& state, std::size_t count) {
  const search::SearchCollection collection = Collection();
  search::SearchResults results(collection, "");
  std::size_t next = 0;
  for (auto _ : state) {
    results.SetText(kTyped[next++ % kTyped.size()]);
    benchmark::DoNotOptimize(results.ResultCount());
  }
  results.SetText("");
  if (results.ResultCount() != static_cast<int>(count)) state.SkipWithError("kaomoji missing");
}

// The same texts in memory, scanned for the typed text as it stands.
void KeystrokeBaseline(benchmark::State& state, std::size_t count) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < kSearchCategories; ++i) {
    for (std::string& kaomoji : KaomojiOf(i)) texts.push_back(std::move(kaomoji));
  }
  std::size_t next = 0;
  for (auto _ : state) {
    const std::string& typed = kTyped[next++ % kTyped.size()];
    std::vector<std::uint32_t> found;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (texts[i].find(typed) != std::string::npos) found.push_back(static_cast<std::uint32_t>(i));
    }
    benchmark::DoNotOptimize(found.data());
  }
  if (texts.size() != count) state.SkipWithError("kaomoji missing");
}

}  // namespace

void RegisterSearchBenchmarks() {
  const std::string n = std::to_string(kSearchKaomoji);
  Register("search keystroke/program/" + n, KeystrokeProgram, kSearchKaomoji);
  Register("search keystroke/baseline/" + n, KeystrokeBaseline, kSearchKaomoji);
  Register("open search/program/" + n, OpenSearchProgram, kSearchKaomoji);
}

}  // namespace pelorin::bench
