// The program itself on the simulated window system: selecting a category
// of many kaomoji (the shown list is saved, the selected one read and put
// into the list box), and leaving it for an empty one (its list saved).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "app/form1.h"
#include "bench/bench_data.h"
#include "bench/benchmarks.h"
#include "platform/sim/sim_platform.h"
#include "platform/text_codec.h"
#include "store/kaomoji_file.h"

namespace pelorin::bench {
namespace {

using platform::ListId;

// Categories 大量 (`count` kaomoji, position 0) and 空 (none, position 1).
void PrepareWorld(sim::SimPlatform& sim, std::size_t count) {
  const std::string settings =
      "[LIST]\r\nLIST=大量,空,\r\n[FILE]\r\n大量=大量.txt\r\n空=空.txt\r\n";
  PlainWrite(sim.AppFolder() + "/設定.ini", platform::EncodeCp932(settings).value());
  PlainWrite(sim.AppFolder() + "/data/大量.txt", PlainRead(KaomojiFilePath(count)));
  PlainWrite(sim.AppFolder() + "/data/空.txt", "");
}

// Times the click on `measured` only; the click before it, on the other
// category, makes it a change of category.
void TimeClicks(benchmark::State& state, std::size_t count, int measured) {
  sim::SimPlatform sim;
  PrepareWorld(sim, count);
  app::Form1 form(sim);
  form.Create();
  if (!sim.Load()) state.SkipWithError("the program did not start");
  for (auto _ : state) {
    state.PauseTiming();
    const bool before = sim.Click(ListId::List3, 1 - measured).ok;
    state.ResumeTiming();
    if (!before || !sim.Click(ListId::List3, measured).ok) state.SkipWithError("no click");
  }
  if (!sim.Click(ListId::List3, 0).ok || sim.ListCount(ListId::List2) != static_cast<int>(count)) {
    state.SkipWithError("kaomoji lost");
  }
  if (!sim.TakeFailures().empty()) state.SkipWithError("the program showed a message");
}

void SelectLargeCategory(benchmark::State& state, std::size_t count) {
  TimeClicks(state, count, 0);
}

void LeaveLargeCategory(benchmark::State& state, std::size_t count) { TimeClicks(state, count, 1); }

}  // namespace

void RegisterForm1Benchmarks() {
  for (std::size_t count : {kSmallFile, kLargeFile}) {
    const std::string n = std::to_string(count);
    Register("select category/program/" + n, SelectLargeCategory, count);
    Register("leave category/program/" + n, LeaveLargeCategory, count);
  }
}

}  // namespace pelorin::bench
