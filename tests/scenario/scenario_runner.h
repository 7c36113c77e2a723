#pragma once
// pelorin-scenario's run over files and folders: one line per scenario
// (PASS file:name / FAIL file:name: line N: ...), ERROR file:line: why for a
// file that does not parse, and the closing "N passed, N failed".

#include <ostream>
#include <string>
#include <vector>

namespace pelorin::scenario {

struct RunOptions {
  bool verbose = false;  // print every command as it runs
};

// The scenario files named: files as given, folders searched recursively for
// *.scn (sorted). A path that does not exist is returned in `missing`.
std::vector<std::string> CollectScenarioFiles(const std::vector<std::string>& paths,
                                              std::vector<std::string>& missing);

// Plays everything and returns the exit status: 0 when none failed, 2 when
// a file did not parse (or does not exist), 1 otherwise.
int RunScenarioFiles(const std::vector<std::string>& paths, const RunOptions& options,
                     std::ostream& out);

}  // namespace pelorin::scenario
