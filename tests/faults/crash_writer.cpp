// pelorin-crash-writer FOLDER VERSIONS
// The crash test's writer on the host: saves through StdFileSystem, the
// program's file code there, until it is killed (crash_writer_loop.h).
// Standard library and the core only.
#include <cstdio>

#include "platform/std_file_system.h"
#include "tests/faults/crash_writer_loop.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pelorin-crash-writer FOLDER VERSIONS\n");
    return 2;
  }
  pelorin::platform::StdFileSystem files;
  return pelorin::faults::RunCrashWriter(files, argv[1], argv[2]);
}
