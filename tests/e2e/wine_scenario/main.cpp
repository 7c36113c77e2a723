// pelorin-wine-scenario: plays scenario files against the real program under
// Wine (tests/e2e/run-wine-scenarios.sh runs it). One mode a call:
//   [--verbose] [--must-fail] --program EXE --work FOLDER FILE_OR_DIR...
//     EXE is the test build with the probe (Pelorin-probe.exe); each scenario
//     gets a copy of it, named Pelorin.exe, in a fresh folder under FOLDER.
//     The lines are the simulated runner's (tests/scenario/scenario_files.h);
//     a scenario that uses fail or heal is skipped, and the observations only
//     the simulation makes (expect value, expect List1) are passed over and
//     counted.
//   --probe-answers EXE --work FOLDER: starts EXE once and prints "probe" when
//     its window answers the probe, "no probe" when it does not.
//   --release-checks EXE --work FOLDER: what no scenario can say, checked on
//     the released exe (release_checks.h).
//   --self-test: the layout's rules on cases made for them (layout_rules.h).
//   --wait-for-window SECONDS: waits until Pelorin's window is shown (started
//     by whoever) and prints "left top width height"; 1 when none came.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/layout_rules.h"
#include "tests/e2e/wine_scenario/player.h"
#include "tests/e2e/wine_scenario/release_checks.h"
#include "tests/scenario/scenario_files.h"

namespace {

namespace fs = std::filesystem;
using namespace pelorin;
using wine_scenario::Environment;

class WinePlayback : public scenario::ScenarioPlayback {
 public:
  explicit WinePlayback(Environment& environment) : environment_(environment) {}

  std::optional<std::string> WhyNotPlayed(const scenario::Scenario& scenario) const override {
    const scenario::Command* simOnly = scenario::FirstSimOnlyCommand(scenario);
    if (simOnly == nullptr) return std::nullopt;
    return "line " + std::to_string(simOnly->line) + ": '" + simOnly->source +
           "' is played only on the simulation";
  }

  std::optional<std::string> ClosingNote() const override {
    if (environment_.passedOver == 0) return std::nullopt;
    return std::to_string(environment_.passedOver) +
           " observations that only the simulation makes passed over";
  }

  // Each scenario in an application folder of its own, numbered in the run.
  scenario::ScenarioOutcome Play(const scenario::Scenario& scenario, std::ostream* trace) override {
    const int number = ++played_;
    scenario::PlaySteps steps;
    steps.trace = trace;
    return scenario::PlayOn(
        scenario, [&] { return std::make_unique<wine_scenario::Player>(environment_, number); },
        steps);
  }

 private:
  Environment& environment_;
  int played_ = 0;
};

int WaitForWindow(DWORD seconds) {
  HWND window = nullptr;
  if (!e2e::WaitUntil(
          [&] {
            window = ::FindWindowW(L"PelorinForm1", L"Pelorin");
            return window != nullptr && ::IsWindowVisible(window);
          },
          seconds * 1000)) {
    return 1;
  }
  e2e::Pause(500);  // the first paint
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
    return wine_scenario::RunSelfTest(std::cout);
  }
  if (argc == 3 && std::wstring(argv[1]) == L"--wait-for-window") {
    return WaitForWindow(static_cast<DWORD>(_wtoi(argv[2])));
  }
  Environment environment;
  scenario::RunOptions options;
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
  std::error_code error;
  if (environment.exe.empty() || environment.workFolder.empty() || !environment.probe.Ready() ||
      (mode == L"--program" && paths.empty())) {
    std::cerr << "usage: pelorin-wine-scenario [--verbose] [--must-fail] --program EXE --work "
                 "FOLDER FILE_OR_DIR...\n  or: --probe-answers EXE --work FOLDER, --release-checks "
                 "EXE --work FOLDER, --self-test, --wait-for-window SECONDS\n";
    return 2;
  }
  if (!fs::exists(environment.exe, error)) {
    std::cerr << "pelorin-wine-scenario: no program at " << environment.exe.string() << "\n";
    return 2;
  }
  fs::create_directories(environment.workFolder, error);
  if (mode == L"--probe-answers") {
    return wine_scenario::ProbeAnswers(environment.exe, environment.workFolder, environment.probe,
                                       std::cout);
  }
  if (mode == L"--release-checks") {
    return wine_scenario::RunReleaseChecks(environment.exe, environment.workFolder, std::cout);
  }
  WinePlayback playback(environment);
  return scenario::PlayScenarioFiles(paths, playback, options, std::cout);
}
