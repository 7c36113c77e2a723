#pragma once
// A child process for the crash test: started with pipes on its standard
// input and output, waited for until it prints "ready", then ended at once:
// by SIGKILL, which it can neither catch nor delay, or by the line "kill" on
// its standard input, for a child that is a launcher ending the real writer
// itself (under Wine: TerminateProcess) and then exiting with status 0.
// POSIX only (the host side of the test).

#include <sys/types.h>

#include <string>
#include <vector>

namespace pelorin::faults {

class CrashProcess {
 public:
  // Starts argv[0] (searched in PATH) with the arguments; check Running().
  explicit CrashProcess(const std::vector<std::string>& argv);
  ~CrashProcess();
  CrashProcess(const CrashProcess&) = delete;
  CrashProcess& operator=(const CrashProcess&) = delete;

  bool Running() const { return pid_ > 0; }
  // Blocks until the child prints a line "ready"; false when it ended first.
  bool WaitReady();
  // Sleeps `micros`, then kills the child (or asks it to end) and reaps it.
  // True when that ended it; false when it had ended by itself (its own
  // failure) or the launcher reported a failure.
  bool KillAfter(long micros, bool throughInput);
  // How the child ended, for messages ("exit status 1", "signal 9").
  const std::string& Ending() const { return ending_; }

 private:
  void Reap(int options);

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string ending_;
};

}  // namespace pelorin::faults
