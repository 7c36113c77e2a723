// Start-up: from CreateProcessW to the first visible window, Pelorin.exe
// against a program that only shows a window. The two start in turn, so
// that a busy moment of the machine falls on both alike.
#include <cstdio>
#include <vector>

#include "bench/wine/measurements.h"
#include "bench/wine/wine_bench.h"

namespace pelorin::bench::wine {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kCloseTimeoutMs = 10000;

// One start, in milliseconds; nothing when no window came or it did not end.
std::optional<double> StartOnce(const std::wstring& exe) {
  Program program;
  LONGLONG shownAt = 0;
  if (program.Launch(exe, kStartTimeoutMs, &shownAt) == nullptr) return std::nullopt;
  const double milliseconds = TicksToMilliseconds(shownAt - program.StartedAt());
  // The next start must not meet this copy (Pelorin allows one at a time).
  if (!program.Close(kCloseTimeoutMs)) {
    std::fprintf(stderr, "%ls did not end on WM_CLOSE\n", exe.c_str());
    return std::nullopt;
  }
  return milliseconds;
}

}  // namespace

std::optional<StartTimes> MeasureStart(const std::wstring& pelorinExe,
                                       const std::wstring& windowExe, int runs) {
  std::vector<double> pelorin;
  std::vector<double> window;
  for (int run = 0; run <= runs; ++run) {
    // Which goes first changes from run to run.
    std::optional<double> a;
    std::optional<double> b;
    if (run % 2 == 0) {
      a = StartOnce(windowExe);
      b = StartOnce(pelorinExe);
    } else {
      b = StartOnce(pelorinExe);
      a = StartOnce(windowExe);
    }
    if (!a || !b) return std::nullopt;
    if (run == 0) continue;  // warming up
    window.push_back(*a);
    pelorin.push_back(*b);
  }
  return StartTimes{Median(pelorin), Median(window)};
}

}  // namespace pelorin::bench::wine
