// pelorin-scenario [--verbose] FILE_OR_DIR...
// Plays behaviour scenarios against the simulated window system.
#include <iostream>
#include <string>
#include <vector>

#include "tests/scenario/scenario_runner.h"

int main(int argc, char** argv) {
  pelorin::scenario::RunOptions options;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--verbose") {
      options.verbose = true;
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.empty()) {
    std::cerr << "usage: pelorin-scenario [--verbose] FILE_OR_DIR...\n";
    return 2;
  }
  return pelorin::scenario::RunScenarioFiles(paths, options, std::cout);
}
