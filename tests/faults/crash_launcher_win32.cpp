// pelorin-crash-launcher.exe WRITER ARGUMENTS...
// The crash test's killer on Windows (crash_test.cpp, --wine).
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

// The kill line's reader: returns 1 on the line "kill", 0 at the input's end.
DWORD WINAPI WaitForKillLine(void*) {
  std::string line;
  char c = 0;
  DWORD read = 0;
  while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), &c, 1, &read, nullptr) && read == 1) {
    if (c != '\n') {
      if (c != '\r') line += c;
    } else if (line == "kill") {
      return 1;
    } else {
      line.clear();
    }
  }
  return 0;
}

// Starts the writer in `job`, a job whose processes end when its last handle
// closes: should the launcher itself be ended from outside, the writer ends
// with it instead of saving on beside the next one.
UniqueHandle StartWriter(int argc, wchar_t** argv, const UniqueHandle& job) {
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  // The crash test's arguments hold no quotes or trailing backslashes:
  // quotes around each one are enough for CommandLineToArgvW.
  std::wstring commandLine;
  for (int i = 1; i < argc; ++i) commandLine += L"\"" + std::wstring(argv[i]) + L"\" ";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;  // the kill line is for the launcher only
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  if (!job ||
      !::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits) ||
      !::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &started)) {
    std::fprintf(stderr, "cannot start the writer (error %lu)\n", ::GetLastError());
    return UniqueHandle();
  }
  UniqueHandle process(started.hProcess);
  const UniqueHandle thread(started.hThread);
  if (!::AssignProcessToJobObject(job.get(), process.get())) {
    std::fprintf(stderr, "cannot tie the writer to the launcher (error %lu)\n", ::GetLastError());
    ::TerminateProcess(process.get(), kKilled);
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
  const UniqueHandle job(::CreateJobObjectW(nullptr, nullptr));
  const UniqueHandle writer = StartWriter(argc, argv, job);
  const UniqueHandle reader(
      writer ? ::CreateThread(nullptr, 0, &WaitForKillLine, nullptr, 0, nullptr) : nullptr);
  if (!reader) return 1;
  // A writer that ends before the kill line has failed (or never started:
  // its output then closes before "ready", which the crash test sees).
  // TerminateProcess returns before the process is gone: the launcher waits
  // for it, so that the crash test never inspects files the writer could
  // still change.
  const HANDLE waited[] = {writer.get(), reader.get()};
  if (::WaitForMultipleObjects(2, waited, FALSE, INFINITE) != WAIT_OBJECT_0) {
    ::TerminateProcess(writer.get(), kKilled);
    ::WaitForSingleObject(writer.get(), INFINITE);
  }
  DWORD ending = 0;
  ::GetExitCodeProcess(writer.get(), &ending);
  if (ending != kKilled) {
    std::fprintf(stderr, "the writer ended by itself (exit code %lu)\n", ending);
    return 1;
  }
  DWORD killLine = 0;
  ::GetExitCodeThread(reader.get(), &killLine);
  return killLine == 1 ? 0 : 1;
}
