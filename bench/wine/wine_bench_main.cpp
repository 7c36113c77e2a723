// pelorin-wine-bench --folder FOLDER --corpus FILE [--runs N]
//                    [--host-category-list-ms MS] [--only NAME,...]
// The Win32 timings of Pelorin under Wine (bench/wine/run-wine-bench.sh
// prepares FOLDER and runs this): start-up against a program that only shows
// a window, category selection and paste timed inside the benchmark build,
// and the settings file's reads against the system's profile function. Each
// figure is the median of N runs (default 21; the start-up, the noisiest,
// 2N) after one that is not counted.
// Prints the table of bench/bench_table.h; NAME is start, select, paste or
// profile. FOLDER holds start\Pelorin.exe (with the starter collection),
// window\pelorin-bench-window.exe and timing\Pelorin-timing.exe; the
// benchmarks write their own files there. Exits 1 when a goal was missed,
// 2 when a measurement could not be made.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "bench/wine/measurements.h"
#include "platform/win32/wide.h"

namespace {

using namespace pelorin::bench;
using namespace pelorin::bench::wine;
using pelorin::platform::win32::Narrow;

constexpr double kBudgetMs = 50;

struct Options {
  std::wstring folder;
  std::string corpus;
  int runs = 21;
  std::optional<double> hostCategoryListMs;
  std::wstring only = L"start,select,paste,profile";
};

bool Parse(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    const std::wstring value = argv[i + 1];
    if (name == L"--folder") {
      options.folder = value;
    } else if (name == L"--corpus") {
      options.corpus = Narrow(value);
    } else if (name == L"--runs") {
      options.runs = std::wcstol(value.c_str(), nullptr, 10);
    } else if (name == L"--host-category-list-ms") {
      options.hostCategoryListMs = std::wcstod(value.c_str(), nullptr);
    } else if (name == L"--only") {
      options.only = value;
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && !options.folder.empty() && !options.corpus.empty() && options.runs > 0;
}

bool Wanted(const Options& options, const std::wstring& name) {
  return (L"," + options.only + L",").find(L"," + name + L",") != std::wstring::npos;
}

// Adds the rows of the measurements asked for; false when one failed.
bool Measure(const Options& options, std::vector<TableRow>& rows) {
  bool measured = true;
  if (Wanted(options, L"start")) {
    const auto times =
        MeasureStart(options.folder + L"\\start\\Pelorin.exe",
                     options.folder + L"\\window\\pelorin-bench-window.exe", 2 * options.runs);
    measured = measured && times;
    if (times) {
      rows.push_back({"Pelorin.exe start to window shown vs. a program that only shows a window",
                      times->pelorin, times->window, 1.2, std::nullopt, ""});
    }
  }
  const std::wstring timing = options.folder + L"\\timing\\Pelorin-timing.exe";
  if (Wanted(options, L"select")) {
    const auto times = MeasureSelection(timing, options.corpus, options.runs);
    measured = measured && times;
    if (times) {
      rows.push_back(
          {"select a category of 10,000 kaomoji: click to list filled, in process "
           "(budget 50 ms)",
           times->selectLarge, std::nullopt, std::nullopt, kBudgetMs, ""});
      rows.push_back({"leave it: click to the 10,000 saved and 10 listed, in process",
                      times->leaveLarge, std::nullopt, std::nullopt, std::nullopt, ""});
    }
  }
  if (Wanted(options, L"paste")) {
    const auto times = MeasurePaste(timing, options.corpus, options.runs);
    measured = measured && times;
    if (times) {
      rows.push_back({"paste: target in front to Ctrl+V sent, in process (budget 50 ms)",
                      times->fromForeground, std::nullopt, std::nullopt, kBudgetMs, ""});
      rows.push_back({"paste: SetForegroundWindow to Ctrl+V sent, in process (budget 50 ms)",
                      times->fromActivation, std::nullopt, std::nullopt, kBudgetMs, ""});
      rows.push_back({"paste: target's WM_ACTIVATE to its V key down, seen by the target",
                      times->received, std::nullopt, std::nullopt, std::nullopt, ""});
    }
  }
  if (Wanted(options, L"profile")) {
    const auto times = MeasureProfile(Narrow(options.folder), options.runs);
    measured = measured && times;
    if (times) {
      rows.push_back(
          {"category list of 2,000 + one FILE read each: SettingsFile on "
           "Win32FileSystem vs. GetPrivateProfileStringA, both under Wine",
           times->program, times->system, 1.0, std::nullopt, ""});
      if (options.hostCategoryListMs) {
        rows.push_back(
            {"category list of 2,000 + one FILE read each: SettingsFile on the host "
             "(pelorin-bench) vs. GetPrivateProfileStringA under Wine",
             *options.hostCategoryListMs, times->system, 1.0, std::nullopt, ""});
      }
    }
  }
  return measured;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: pelorin-wine-bench --folder FOLDER --corpus FILE [--runs N] "
                 "[--host-category-list-ms MS] [--only NAME,...]\n");
    return 2;
  }
  std::vector<TableRow> rows;
  const bool measured = Measure(options, rows);
  const bool met = PrintTable(rows, std::cout);
  std::cout.flush();
  if (!measured) return 2;
  return met ? 0 : 1;
}
