// pelorin-crash-writer.exe FOLDER VERSIONS
// The crash test's writer on Windows: saves through Win32FileSystem, the
// program's own file code there (a flushed temporary file moved over the
// target with MoveFileExW), until it is ended with TerminateProcess
// (crash_writer_loop.h). Paths may be given with '/' or '\'.
#include <cstdio>

#include "platform/win32/wide.h"
#include "platform/win32/win32_file_system.h"
#include "tests/faults/crash_writer_loop.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pelorin-crash-writer FOLDER VERSIONS\n");
    return 2;
  }
  pelorin::platform::win32::Win32FileSystem files;
  return pelorin::faults::RunCrashWriter(files, pelorin::platform::win32::Narrow(argv[1]),
                                         pelorin::platform::win32::Narrow(argv[2]));
}
