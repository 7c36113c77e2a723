// pelorin-wine-scenario: plays scenario files against the real program under
// Wine (tests/e2e/run-wine-scenarios.sh runs it).
//
//   pelorin-wine-scenario [--verbose] [--must-fail] --program EXE --work FOLDER FILE_OR_DIR...
// EXE is the test build with the probe (Pelorin-probe.exe); each scenario
// gets a copy of it, named Pelorin.exe, in a fresh folder under FOLDER.
//
//   pelorin-wine-scenario --probe-answers EXE --work FOLDER
// starts EXE once and prints "probe" when its window answers the probe,
// "no probe" when it does not (the released Pelorin.exe must not).
//
//   pelorin-wine-scenario --release-checks EXE --work FOLDER
// checks on the released exe what no scenario can say (release_checks.h).
//
//   pelorin-wine-scenario --self-test
// tries the runner's own rules on cases where they must hold and where they
// must not (tests/e2e/wine_scenario/self_test.h).
//
//   pelorin-wine-scenario --wait-for-window SECONDS
// waits until Pelorin's window is shown (started by whoever) and prints its
// rectangle, "left top width height", for a screenshot; 1 when none came.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/program.h"
#include "tests/e2e/wine_scenario/release_checks.h"
#include "tests/e2e/wine_scenario/runner.h"
#include "tests/e2e/wine_scenario/self_test.h"

namespace {

namespace fs = std::filesystem;
using pelorin::wine_scenario::Environment;

int Usage() {
  std::cerr << "usage: pelorin-wine-scenario [--verbose] [--must-fail] --program EXE --work FOLDER "
               "FILE_OR_DIR...\n"
               "       pelorin-wine-scenario --probe-answers EXE --work FOLDER\n"
               "       pelorin-wine-scenario --release-checks EXE --work FOLDER\n"
               "       pelorin-wine-scenario --self-test\n"
               "       pelorin-wine-scenario --wait-for-window SECONDS\n";
  return 2;
}

int WaitForWindow(DWORD seconds) {
  HWND window = nullptr;
  if (!pelorin::e2e::WaitUntil(
          [&] {
            window = ::FindWindowW(L"PelorinForm1", L"Pelorin");
            return window != nullptr && ::IsWindowVisible(window);
          },
          seconds * 1000)) {
    return 1;
  }
  pelorin::e2e::Pause(500);  // the first paint
  RECT rect{};
  ::GetWindowRect(window, &rect);
  std::cout << rect.left << ' ' << rect.top << ' ' << rect.right - rect.left << ' '
            << rect.bottom - rect.top << std::endl;
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Lines end in LF only and texts go out as UTF-8, as the shell that reads them expects.
  _setmode(_fileno(stdout), _O_BINARY);
  ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (argc == 2 && std::wstring(argv[1]) == L"--self-test") {
    return pelorin::wine_scenario::RunSelfTest(std::cout);
  }
  if (argc == 3 && std::wstring(argv[1]) == L"--wait-for-window") {
    return WaitForWindow(static_cast<DWORD>(_wtoi(argv[2])));
  }
  Environment environment;
  pelorin::wine_scenario::RunOptions options;
  std::vector<fs::path> paths;
  std::wstring mode = L"--program";
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--verbose") {
      options.verbose = true;
    } else if (arg == L"--must-fail") {
      options.mustFail = true;
    } else if ((arg == L"--program" || arg == L"--probe-answers" || arg == L"--release-checks") &&
               i + 1 < argc) {
      mode = arg;
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
  if (mode == L"--probe-answers") {
    return pelorin::wine_scenario::ProbeAnswers(environment.exe, environment.workFolder,
                                                environment.probe, std::cout);
  }
  if (mode == L"--release-checks") {
    return pelorin::wine_scenario::RunReleaseChecks(environment.exe, environment.workFolder,
                                                    std::cout);
  }
  if (paths.empty()) return Usage();
  if (!fs::exists(environment.exe, error)) {
    std::cerr << "pelorin-wine-scenario: no program at " << environment.exe.string() << "\n";
    return 2;
  }
  return pelorin::wine_scenario::RunScenarioFiles(paths, environment, options, std::cout);
}
