#pragma once
// pelorin-wine-bench: the Win32 timings of Pelorin under Wine, run by
// bench/wine/run-wine-bench.sh. The pieces the measurements share: the
// clock, medians, the programs they start, the input they send, and the
// timing log of the benchmark build (platform/win32/timing/timing.h).

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/desktop.h"

namespace pelorin::bench::wine {

// QueryPerformanceCounter: one clock for every process of the machine.
LONGLONG Ticks();
double TicksToMilliseconds(LONGLONG ticks);
// The median of the values (the mean of the middle two for an even count).
double Median(std::vector<double> values);

// Waiting, the bounded message and real input: the test programs' own
// (tests/e2e/desktop.h).
using e2e::Activate;
using e2e::Ask;
using e2e::Click;
using e2e::Pause;
using e2e::PressKey;
using e2e::WaitUntil;

// The screen point in the middle of a list box's entry.
bool ItemCenter(HWND list, int index, POINT* where);

// A program started for a measurement; ended (WM_CLOSE, or terminated when
// it does not end) when this object goes.
class Program {
 public:
  Program() = default;
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts `exe` with its own folder as the working folder and waits for the
  // process's first visible top-level window (polled every millisecond);
  // null (said on stderr) when none came. A process that cannot start, or
  // ends without a window, is started again, twice at most: under Wine a
  // process fails to start now and then ("failed to map the shared user
  // data", CreateProcessW's error 1359). StartedAt: the
  // moment just before CreateProcessW; *shownAt: the window first seen.
  HWND Launch(const std::wstring& exe, DWORD timeoutMs, LONGLONG* shownAt = nullptr);
  LONGLONG StartedAt() const { return startedAt_; }
  // WM_CLOSE to its window, then waits for the process to end.
  bool Close(DWORD timeoutMs);

 private:
  bool Start(const std::wstring& exe);
  HWND WaitForWindow(DWORD timeoutMs, LONGLONG* shownAt);
  void Forget();

  PROCESS_INFORMATION process_{};
  LONGLONG startedAt_ = 0;
  HWND window_ = nullptr;
};

// One span of the benchmark build's log: "NAME START STOP" in ticks.
struct Span {
  std::string name;
  LONGLONG start = 0;
  LONGLONG stop = 0;
};

// The timing log of Pelorin-timing.exe: emptied here, and named in this
// process's environment so that the programs it starts afterwards write it.
class TimingLog {
 public:
  explicit TimingLog(std::wstring path);
  // The spans logged since the last call, in order.
  std::vector<Span> Take();
  // Waits until a span named `name` arrives; the ones taken meanwhile are
  // dropped. Nothing on timeout.
  std::optional<Span> WaitFor(const std::string& name, DWORD timeoutMs);

 private:
  std::wstring path_;
  size_t consumed_ = 0;  // bytes of the file already taken
};

}  // namespace pelorin::bench::wine
