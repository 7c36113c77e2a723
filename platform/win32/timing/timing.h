#pragma once
// Timings for the benchmark build of the program (Pelorin-timing.exe, built
// with PELORIN_TIMING by bench/wine/WineBench.cmake): spans of the program's
// own work, taken inside the process with QueryPerformanceCounter and
// appended to the file that the environment variable PELORIN_TIMING_LOG
// names, one line "NAME START STOP" in counter ticks. The counter is one
// clock for every process of the machine, so a benchmark can set these
// beside moments it took itself. The released Pelorin.exe is built without
// PELORIN_TIMING: there everything here is empty and inline.

namespace pelorin::platform::win32::timing {

#ifdef PELORIN_TIMING

// Starts the span `name` now; a span already started starts again.
void Start(const char* name);
// Ends the span `name` now and logs it; nothing when it is not started.
void Stop(const char* name);

// A span over one scope.
class Scope {
 public:
  explicit Scope(const char* name) : name_(name) { Start(name_); }
  ~Scope() { Stop(name_); }
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;

 private:
  const char* name_;
};

#else

inline void Start(const char*) {}
inline void Stop(const char*) {}

class Scope {
 public:
  explicit Scope(const char*) {}
  ~Scope() {}
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;
};

#endif

}  // namespace pelorin::platform::win32::timing
