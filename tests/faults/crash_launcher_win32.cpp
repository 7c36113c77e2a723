// pelorin-crash-launcher.exe WRITER ARGUMENTS...
// The crash test's killer on Windows (crash_test.cpp, --kill-through-input).
// Under Wine a signal sent to the wine process of this launcher would not
// reach the writer, a Windows process of its own; TerminateProcess does, as
// it does on Windows. The launcher starts the writer on its own standard
// output and error, so the writer's "ready" reaches the crash test directly;
// on the line "kill" on its standard input it ends the writer with
// TerminateProcess, waits until the writer is gone, and exits with status 0.
// Exit status 1: the writer could not start, ended by itself (its own
// failure) or the input ended without "kill"; 2: wrong arguments.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/unique.h"

namespace {

using pelorin::platform::win32::UniqueHandle;

// The exit code TerminateProcess gives the writer; the writer's own are 1 and 2.
constexpr UINT kKilled = 0x4B1D;

// One argument as CommandLineToArgvW reads it back: quotes around it, each
// quote escaped, and the backslashes before a quote (or the closing one)
// doubled.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

// Blocks until a whole line arrives; false at the end of the input.
bool ReadLine(HANDLE input, std::string& line) {
  line.clear();
  char c = 0;
  DWORD read = 0;
  while (::ReadFile(input, &c, 1, &read, nullptr) && read == 1) {
    if (c == '\n') return true;
    if (c != '\r') line += c;
  }
  return false;
}

// What the input's reader thread reports: `arrived` is set on the line
// "kill" or at the end of the input, which `kill` tells apart (written
// before the event is set, read after it was seen).
struct KillLine {
  UniqueHandle arrived{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  bool kill = false;
};

DWORD WINAPI WaitForKillLine(void* data) {
  auto& killLine = *static_cast<KillLine*>(data);
  std::string line;
  while (ReadLine(::GetStdHandle(STD_INPUT_HANDLE), line)) {
    if (line == "kill") {
      killLine.kill = true;
      break;
    }
  }
  ::SetEvent(killLine.arrived.get());
  return 0;
}

// A job whose processes end when its last handle closes, as it does when
// the launcher ends in any way.
UniqueHandle MakeWriterJob() {
  UniqueHandle job(::CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job && !::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                        sizeof limits)) {
    return UniqueHandle();
  }
  return job;
}

UniqueHandle StartWriter(int argc, wchar_t** argv, const UniqueHandle& writerJob) {
  if (!writerJob) {
    std::fprintf(stderr, "cannot make the writer's job (error %lu)\n", ::GetLastError());
    return UniqueHandle();
  }
  std::wstring commandLine;
  for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? L" " : L"") + Quoted(argv[i]);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;  // the kill line is for the launcher only
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &started)) {
    std::fprintf(stderr, "cannot start the writer (error %lu)\n", ::GetLastError());
    return UniqueHandle();
  }
  UniqueHandle process(started.hProcess);
  UniqueHandle thread(started.hThread);
  // The writer is tied to this launcher's life: should the launcher itself be
  // ended from outside, the writer ends with it instead of saving on beside
  // the next one.
  if (!::AssignProcessToJobObject(writerJob.get(), process.get())) {
    ::TerminateProcess(process.get(), kKilled);
    std::fprintf(stderr, "cannot tie the writer to the launcher (error %lu)\n", ::GetLastError());
    return UniqueHandle();
  }
  ::ResumeThread(thread.get());
  return process;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: pelorin-crash-launcher WRITER ARGUMENTS...\n");
    return 2;
  }
  const UniqueHandle writerJob = MakeWriterJob();
  const UniqueHandle writer = StartWriter(argc, argv, writerJob);
  static KillLine killLine;  // outlives the reader thread, which is never joined
  if (!writer || !killLine.arrived ||
      !UniqueHandle(::CreateThread(nullptr, 0, &WaitForKillLine, &killLine, 0, nullptr))) {
    return 1;
  }
  // A writer that ends before the kill line has failed (or never started:
  // its output then closes before "ready", which the crash test sees).
  const HANDLE waited[] = {writer.get(), killLine.arrived.get()};
  if (::WaitForMultipleObjects(2, waited, FALSE, INFINITE) == WAIT_OBJECT_0) {
    DWORD ending = 0;
    ::GetExitCodeProcess(writer.get(), &ending);
    std::fprintf(stderr, "the writer ended by itself (exit code %lu)\n", ending);
    return 1;
  }
  // TerminateProcess returns before the process is gone: wait for it, so
  // that the crash test never inspects files the writer could still change.
  ::TerminateProcess(writer.get(), kKilled);
  ::WaitForSingleObject(writer.get(), INFINITE);
  DWORD ending = 0;
  ::GetExitCodeProcess(writer.get(), &ending);
  if (ending != kKilled) {
    std::fprintf(stderr, "the writer ended by itself (exit code %lu)\n", ending);
    return 1;
  }
  return killLine.kill ? 0 : 1;
}
