// pelorin-bench: runs the host benchmarks (Google Benchmark's own output goes
// to the error stream), then prints the table of bench_table.h: each time
// beside its baseline from the same run. With repetitions, the fastest
// repetition of each is used. Exits 1 when a goal was missed.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "bench/benchmarks.h"

namespace pelorin::bench {
namespace {

// Keeps the time of every benchmark (the fastest repetition when repeated)
// by name.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
      if (run.run_type == Run::RT_Iteration && repeated_.count(Name(run)) == 0) {
        milliseconds_[Name(run)] = Milliseconds(run);
        if (run.repetitions > 1) repeated_[Name(run)] = true;
      } else if (fastest) {
        milliseconds_[Name(run)] = Milliseconds(run);
      }
    }
  }

  std::optional<double> Time(const std::string& name) const {
    auto found = milliseconds_.find(name);
    if (found == milliseconds_.end()) return std::nullopt;
    return found->second;
  }

 private:
  static std::string Name(const Run& run) { return run.run_name.function_name; }

  static double Milliseconds(const Run& run) {
    return run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
           benchmark::GetTimeUnitMultiplier(run.time_unit);
  }

  std::map<std::string, double> milliseconds_;
  std::map<std::string, bool> repeated_;
};

struct Comparison {
  std::string label;
  std::string measured;
  std::string baseline;  // empty: none in this program
  std::optional<double> goal;
  std::string note;
};

// A time that must stay within a budget of its own, in milliseconds.
struct Budget {
  std::string label;
  std::string measured;
  double milliseconds = 0;
};

std::vector<Comparison> Comparisons() {
  const std::string small = std::to_string(kSmallFile);
  const std::string large = std::to_string(kLargeFile);
  const std::string categories = std::to_string(kCategoryCount);
  const std::string search = std::to_string(kSearchKaomoji);
  return {
      {"load 100000 entries: read + ParseKaomojiFile vs. read + cp932 decode",
       "load/program/" + large, "load/baseline/" + large, 1.5, ""},
      {"load 100000 entries: category selection on the sim (empty list saved first) vs. read + "
       "cp932 decode",
       "select category/program/" + large, "load/baseline/" + large, 1.5, ""},
      {"save 100000 entries: SerializeKaomojiFile + WriteFileAtomic vs. plain write",
       "save/program/" + large, "save/baseline/" + large, 1.5, ""},
      {"save 100000 entries: SerializeKaomojiFile + WriteFileAtomic vs. plain write + flush",
       "save/program/" + large, "save/flushed baseline/" + large, 1.5, ""},
      {"save 100000 entries: leaving the category on the sim (an empty one loaded) vs. plain "
       "write",
       "leave category/program/" + large, "save/baseline/" + large, 1.5, ""},
      {"load growth: 100000 vs. 10000 entries", "load/program/" + large, "load/program/" + small,
       12.0, ""},
      {"save growth: 100000 vs. 10000 entries", "save/program/" + large, "save/program/" + small,
       12.0, ""},
      {"category selection growth: 100000 vs. 10000 entries", "select category/program/" + large,
       "select category/program/" + small, 12.0, ""},
      {"leaving a category growth: 100000 vs. 10000 entries", "leave category/program/" + large,
       "leave category/program/" + small, 12.0, ""},
      {"category list of 2000 + one FILE read each through SettingsFile",
       "category list/program/" + categories, "", std::nullopt, "(Wine GetPrivateProfileStringA)"},
      {"search keystroke over 200 categories and 100000 kaomoji: fold + scan + results vs. plain "
       "substring scan",
       "search keystroke/program/" + search, "search keystroke/baseline/" + search, 2.0, ""},
  };
}

std::vector<Budget> Budgets() {
  const std::string search = std::to_string(kSearchKaomoji);
  return {
      {"search keystroke over 200 categories and 100000 kaomoji",
       "search keystroke/program/" + search, 16.0},
      {"open the search window on 200 category files of 100000 kaomoji",
       "open search/program/" + search, 150.0},
  };
}

}  // namespace
}  // namespace pelorin::bench

int main(int argc, char** argv) {
  using namespace pelorin::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  RegisterKaomojiFileBenchmarks();
  RegisterCategoryListBenchmarks();
  RegisterForm1Benchmarks();
  RegisterSearchBenchmarks();

  CollectingReporter reporter;
  reporter.SetOutputStream(&std::cerr);
  reporter.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::vector<TableRow> rows;
  for (const Comparison& comparison : Comparisons()) {
    const std::optional<double> measured = reporter.Time(comparison.measured);
    if (!measured) continue;  // filtered out, or failed (reported above)
    TableRow row{comparison.label, *measured,   std::nullopt,
                 comparison.goal,  std::nullopt, comparison.note};
    if (!comparison.baseline.empty()) {
      row.baselineMilliseconds = reporter.Time(comparison.baseline);
      if (!row.baselineMilliseconds) continue;
    }
    rows.push_back(row);
  }
  for (const Budget& budget : Budgets()) {
    if (const std::optional<double> measured = reporter.Time(budget.measured)) {
      rows.push_back({budget.label, *measured, std::nullopt, std::nullopt, budget.milliseconds, ""});
    }
  }
  return PrintTable(rows, std::cout) ? 0 : 1;
}
