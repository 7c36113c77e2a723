// pelorin-scenario [--verbose] [--must-fail | --faults] FILE_OR_DIR...
// Plays behaviour scenarios against the simulated window system. With
// --must-fail a scenario passes when it fails at its line marked "# fails";
// with --faults, each is played again with every file operation failing in
// turn (fault_sweep.h).
#include <stdlib.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tests/scenario/scenario_runner.h"

int main(int argc, char** argv) {
  pelorin::scenario::RunOptions options;
  bool faults = false;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--must-fail") {
      options.mustFail = true;
    } else if (arg == "--faults") {
      faults = true;
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.empty()) {
    std::cerr << "usage: pelorin-scenario [--verbose] [--must-fail | --faults] FILE_OR_DIR...\n";
    return 2;
  }
  // The sweep makes tens of thousands of atomic writes, each flushed to the
  // disk: its folders go to memory when they can.
  std::error_code error;
  if (faults && std::filesystem::is_directory("/dev/shm", error)) setenv("TMPDIR", "/dev/shm", 0);
  return pelorin::scenario::RunScenarioFiles(paths, options, std::cout, faults);
}
