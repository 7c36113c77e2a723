#include "tests/faults/crash_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <string>

namespace pelorin::faults {

CrashProcess::CrashProcess(const std::vector<std::string>& argv) {
  int out[2];
  int in[2];
  if (argv.empty() || ::pipe(out) != 0) return;
  if (::pipe(in) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return;
  }
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(in[0], STDIN_FILENO);
    for (int fd : {out[0], out[1], in[0], in[1]}) ::close(fd);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(in[0]);
  if (pid_ < 0) {
    ::close(out[0]);
    ::close(in[1]);
    return;
  }
  output_ = out[0];
  input_ = in[1];
}

CrashProcess::~CrashProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    Reap(0);
  }
  if (output_ >= 0) ::close(output_);
  if (input_ >= 0) ::close(input_);
}

bool CrashProcess::WaitReady() {
  std::string line;
  char c = 0;
  for (;;) {
    const ssize_t got = ::read(output_, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    if (c != '\n') {
      line += c;
    } else if (line == "ready" || line == "ready\r") {
      return true;
    } else {
      line.clear();
    }
  }
}

bool CrashProcess::KillAfter(long micros, bool throughInput) {
  timespec delay{micros / 1000000, (micros % 1000000) * 1000};
  while (::nanosleep(&delay, &delay) != 0 && errno == EINTR) {
  }
  if (throughInput) {
    constexpr char kKill[] = "kill\n";
    if (::write(input_, kKill, sizeof kKill - 1) < 0) ::kill(pid_, SIGKILL);
  } else {
    ::kill(pid_, SIGKILL);
  }
  Reap(0);
  return ending_ == (throughInput ? "exit status 0" : "signal " + std::to_string(SIGKILL));
}

void CrashProcess::Reap(int options) {
  int status = 0;
  pid_t done = -1;
  do {
    done = ::waitpid(pid_, &status, options);
  } while (done < 0 && errno == EINTR);
  if (done != pid_) return;
  pid_ = -1;
  if (WIFSIGNALED(status)) ending_ = "signal " + std::to_string(WTERMSIG(status));
  if (WIFEXITED(status)) ending_ = "exit status " + std::to_string(WEXITSTATUS(status));
}

}  // namespace pelorin::faults
