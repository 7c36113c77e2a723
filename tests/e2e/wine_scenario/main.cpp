// pelorin-wine-scenario: plays scenario files against the real program under
// Wine (tests/e2e/run-wine-scenarios.sh runs it).
//
//   pelorin-wine-scenario [--verbose] --program EXE --work FOLDER FILE_OR_DIR...
// EXE is the test build with the probe (Pelorin-probe.exe); each scenario
// gets a copy of it, named Pelorin.exe, in a fresh folder under FOLDER.
//
//   pelorin-wine-scenario --probe-answers EXE --work FOLDER
// starts EXE once and prints "probe" when its window answers the probe,
// "no probe" when it does not (the released Pelorin.exe must not).
//
//   pelorin-wine-scenario --self-test
// tries the runner's own rules on cases where they must hold and where they
// must not (tests/e2e/wine_scenario/self_test.h).

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/program.h"
#include "tests/e2e/wine_scenario/runner.h"
#include "tests/e2e/wine_scenario/self_test.h"

namespace {

namespace fs = std::filesystem;
using pelorin::wine_scenario::Environment;

constexpr DWORD kStartTimeoutMs = 30000;

int Usage() {
  std::cerr << "usage: pelorin-wine-scenario [--verbose] --program EXE --work FOLDER "
               "FILE_OR_DIR...\n"
               "       pelorin-wine-scenario --probe-answers EXE --work FOLDER\n"
               "       pelorin-wine-scenario --self-test\n";
  return 2;
}

// Starts the exe in a folder of its own and asks its window the probe's hello.
int ProbeAnswers(Environment& environment) {
  const fs::path folder = environment.workFolder / L"probe check";
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder / L"data");
  fs::copy_file(environment.exe, folder / L"Pelorin.exe", fs::copy_options::overwrite_existing);
  int status = 1;
  {
    pelorin::wine_scenario::Program program;
    std::string why;
    if (!program.Launch((folder / L"Pelorin.exe").wstring(), environment.workFolder.wstring(),
                        &why)) {
      std::cout << "cannot start: " << why << std::endl;
      return 1;
    }
    if (!pelorin::e2e::WaitUntil([&] { return program.WindowShown(); }, kStartTimeoutMs)) {
      std::cout << "no window" << std::endl;
      return 1;
    }
    const bool answers = environment.probe.HasProbe(program.Window());
    std::cout << (answers ? "probe" : "no probe") << std::endl;
    status = 0;
  }
  fs::remove_all(folder, error);
  return status;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Lines end in LF only and texts go out as UTF-8, as the shell that reads them expects.
  _setmode(_fileno(stdout), _O_BINARY);
  ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (argc == 2 && std::wstring(argv[1]) == L"--self-test") {
    return pelorin::wine_scenario::RunSelfTest(std::cout);
  }
  Environment environment;
  pelorin::wine_scenario::RunOptions options;
  std::vector<fs::path> paths;
  bool probeCheck = false;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--verbose") {
      options.verbose = true;
    } else if ((arg == L"--program" || arg == L"--probe-answers") && i + 1 < argc) {
      probeCheck = arg == L"--probe-answers";
      environment.exe = fs::absolute(argv[++i]);
    } else if (arg == L"--work" && i + 1 < argc) {
      environment.workFolder = fs::absolute(argv[++i]);
    } else {
      paths.emplace_back(arg);
    }
  }
  if (environment.exe.empty() || environment.workFolder.empty() || !environment.probe.Ready()) {
    return Usage();
  }
  std::error_code error;
  fs::create_directories(environment.workFolder, error);
  if (probeCheck) return ProbeAnswers(environment);
  if (paths.empty()) return Usage();
  if (!fs::exists(environment.exe, error)) {
    std::cerr << "pelorin-wine-scenario: no program at " << environment.exe.string() << "\n";
    return 2;
  }
  return pelorin::wine_scenario::RunScenarioFiles(paths, environment, options, std::cout);
}
