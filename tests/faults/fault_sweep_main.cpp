// pelorin-fault-sweep [--only-k | --k-on] [--every N] [--jobs N] [--match TEXT]
//                     [--verbose] [--explain K] FILE_OR_DIR...
// Plays every scenario again and again with its k-th file operation failing
// and checks that nothing was dropped, torn or left untold (see
// fault_checks.h). Prints each scenario with a problem, a summary, and the
// closing line "N passed, N failed" (scenarios). Exit status 0 when none failed.
// --explain K prints, instead, the run of each (matching) scenario with
// operation K failing: every command with its file operations and messages.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/faults/fault_sweep.h"
#include "tests/faults/recording.h"
#include "tests/scenario/scenario_runner.h"

namespace {

using pelorin::faults::ScenarioSweep;
using pelorin::faults::SweepOptions;
using pelorin::scenario::Scenario;

struct Item {
  std::string file;
  Scenario scenario;
  ScenarioSweep sweep;
};

struct Arguments {
  SweepOptions sweep;
  int jobs = 2;
  std::string match;
  bool verbose = false;
  long explain = 0;
  std::vector<std::string> paths;
};

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--only-k") {
      arguments.sweep.kOn = false;
    } else if (arg == "--k-on") {
      arguments.sweep.onlyK = false;
    } else if (arg == "--every" && hasValue) {
      arguments.sweep.every = std::max(1L, std::atol(argv[++i]));
    } else if (arg == "--jobs" && hasValue) {
      arguments.jobs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--match" && hasValue) {
      arguments.match = argv[++i];
    } else if (arg == "--explain" && hasValue) {
      arguments.explain = std::atol(argv[++i]);
    } else if (arg == "--verbose") {
      arguments.verbose = true;
    } else if (arg.starts_with("--")) {
      return false;
    } else {
      arguments.paths.push_back(arg);
    }
  }
  return !arguments.paths.empty();
}

// Every scenario of the files, or false when a file is missing or does not parse.
bool Collect(const Arguments& arguments, std::vector<Item>& items) {
  std::vector<std::string> missing;
  bool ok = true;
  for (const std::string& file : pelorin::scenario::CollectScenarioFiles(arguments.paths, missing)) {
    pelorin::scenario::ParseResult parsed = pelorin::scenario::ParseScenarioFile(file);
    if (parsed.error) {
      std::cout << "ERROR " << file << ":" << parsed.error->line << ": " << parsed.error->why << '\n';
      ok = false;
      continue;
    }
    for (Scenario& scenario : parsed.scenarios) {
      if (scenario.name.find(arguments.match) == std::string::npos) continue;
      items.push_back(Item{file, std::move(scenario), {}});
    }
  }
  for (const std::string& path : missing) std::cout << "ERROR " << path << ":0: no such file\n";
  return ok && missing.empty();
}

void SweepAll(std::vector<Item>& items, const Arguments& arguments) {
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t i = next++; i < items.size(); i = next++) {
      items[i].sweep = pelorin::faults::SweepScenario(items[i].scenario, arguments.sweep);
    }
  };
  std::vector<std::thread> workers;
  for (int j = 1; j < arguments.jobs; ++j) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
}

void Explain(const Item& item, long k, bool kOn) {
  const pelorin::faults::Recording run = pelorin::faults::Record(item.scenario, k, kOn);
  std::cout << "RUN " << item.file << ":" << item.scenario.name << " with operation " << k
            << (kOn ? " and every later one" : "") << " failing\n";
  long operation = 0;
  std::size_t message = 0;
  for (const pelorin::faults::Moment& moment : run.steps) {
    std::cout << "  line " << moment.line << '\n';
    for (; operation < moment.operations; ++operation) {
      for (; message < moment.messages && run.messageStamps[message] <= operation; ++message) {
        std::cout << "      message box\n";
      }
      const pelorin::sim::OperationRecord& record = run.operations[operation];
      std::cout << "    " << operation + 1 << " " << record.kind << " " << record.path
                << (record.failed ? "  FAILED" : "") << '\n';
    }
    for (; message < moment.messages; ++message) std::cout << "      message box\n";
  }
  if (!run.exception.empty()) std::cout << "  exception: " << run.exception << '\n';
}

// Prints the scenario's line; true when it passed.
bool Report(const Item& item, bool verbose) {
  const ScenarioSweep& sweep = item.sweep;
  const std::string name = item.file + ":" + item.scenario.name;
  if (sweep.skipped) {
    if (verbose) std::cout << "SKIP " << name << ": it makes faults of its own\n";
    return true;
  }
  if (!sweep.error.empty() || !sweep.findings.empty()) {
    std::cout << "FAIL " << name << ": " << sweep.findings.size() << " problem(s)"
              << (sweep.error.empty() ? "" : ", " + sweep.error) << '\n';
    constexpr std::size_t kShown = 12;
    for (std::size_t i = 0; i < sweep.findings.size() && i < kShown; ++i) {
      const pelorin::faults::Finding& finding = sweep.findings[i];
      std::cout << "  k=" << finding.k << (finding.kOn ? " and later" : " only") << " ("
                << finding.operation << "), line " << finding.problem.line << ": "
                << finding.problem.what << '\n';
    }
    return false;
  }
  if (verbose) {
    std::cout << "PASS " << name << ": " << sweep.operations << " operations, " << sweep.runs
              << " runs\n";
  }
  return true;
}

// Files of the simulated runs go to memory when it can: the sweep makes tens of
// thousands of atomic writes, and each flushes to the disk.
void PreferMemoryForTemporaryFiles() {
  std::error_code error;
  if (getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm", error)) {
    setenv("TMPDIR", "/dev/shm", 0);
  }
}

// Prints every scenario's line and the summary; returns the scenarios failed.
int Summarize(const std::vector<Item>& items, bool verbose, double seconds) {
  long swept = 0, leftOut = 0, runs = 0, recoveries = 0, faults = 0, byDesign = 0, problems = 0;
  int passed = 0, failed = 0;
  std::map<std::string, long> firstFaults;
  for (const Item& item : items) {
    (Report(item, verbose) ? passed : failed)++;
    (item.sweep.skipped ? leftOut : swept)++;
    runs += item.sweep.runs;
    recoveries += item.sweep.recoveryRuns;
    faults += item.sweep.faultsInjected;
    byDesign += item.sweep.unreportedByDesign;
    problems += static_cast<long>(item.sweep.findings.size());
    for (const auto& [kind, count] : item.sweep.firstFaults) firstFaults[kind] += count;
  }
  std::cout << "operation k made to fail:";
  for (const auto& [kind, count] : firstFaults) std::cout << " " << kind << " " << count << ";";
  std::cout << "\nfault sweep: " << swept << " scenarios swept (" << leftOut
            << " left out: they make faults of their own), " << runs << " runs with a fault and "
            << recoveries << " recovery runs, " << faults << " faults injected (" << byDesign
            << " failed renames and deletes unreported by design), " << problems << " problems, "
            << static_cast<long>(seconds) << " s\n";
  std::cout << passed << " passed, " << failed << " failed\n";
  return failed;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (!ParseArguments(argc, argv, arguments)) {
    std::cerr << "usage: pelorin-fault-sweep [--only-k | --k-on] [--every N] [--jobs N] "
                 "[--match TEXT] [--verbose] [--explain K] FILE_OR_DIR...\n";
    return 2;
  }
  PreferMemoryForTemporaryFiles();
  const auto started = std::chrono::steady_clock::now();
  std::vector<Item> items;
  const bool parsed = Collect(arguments, items);
  if (arguments.explain > 0) {
    for (const Item& item : items) Explain(item, arguments.explain, !arguments.sweep.onlyK);
    return parsed ? 0 : 1;
  }
  SweepAll(items, arguments);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const int failed = Summarize(items, arguments.verbose, seconds);
  return failed == 0 && parsed ? 0 : 1;
}
