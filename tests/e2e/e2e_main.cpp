// pelorin-e2e: plays the end-to-end checks against Pelorin.exe on a desktop
// (wine's, in a virtual X display), with real input. One line per check:
//   PASS n name   or   FAIL n name: why
//
//   pelorin-e2e APP_FOLDER BELL_COUNT_FILE [CHECK_NUMBERS]
// APP_FOLDER holds a fresh copy of Pelorin.exe; the checks write its data.
// CHECK_NUMBERS (e.g. "1,5") runs only those checks, for working on one.
//
//   pelorin-e2e --wait-for-window SECONDS
// waits until Pelorin's window is shown and prints its rectangle (left top
// width height), for screenshots; exits 1 when it does not come.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/checks.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/fixture.h"

namespace {

using pelorin::e2e::CheckResult;
using pelorin::e2e::Context;

struct Check {
  const char* name;
  CheckResult (*run)(Context&);
};

constexpr Check kChecks[] = {
    {"starts on a prepared folder and shows the saved categories and kaomoji",
     &pelorin::e2e::CheckStartsWithSavedLists},
    {"double click, Enter and Shift+Enter paste into the window below",
     &pelorin::e2e::CheckPastesIntoWindowBelow},
    {"pastes into notepad.exe", &pelorin::e2e::CheckPastesIntoNotepad},
    {"beeps when no window is below it", &pelorin::e2e::CheckBeepsWithNothingBelow},
    {"a second copy shows its message and ends", &pelorin::e2e::CheckRefusesSecondCopy},
    {"closing and starting again brings back lists, selection and options",
     &pelorin::e2e::CheckComesBackAsLeft},
    {"the settings file reads back through GetPrivateProfileStringA",
     &pelorin::e2e::CheckSettingsReadByWindows},
    {"code page 932 as Windows' table has it", &pelorin::e2e::CheckCodePage932},
    {"the input box opens at the window, takes typed text and gives it back",
     &pelorin::e2e::CheckInputBox},
    {"the exe carries version 1.0.4, its icon and per-monitor DPI awareness",
     &pelorin::e2e::CheckResources},
    {"a window closed untouched at 192 and 96 dpi in turn saves the same state",
     &pelorin::e2e::CheckStateSurvivesDpiChanges},
};

void Print(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fwrite("\n", 1, 1, stdout);
  std::fflush(stdout);
}

int WaitForWindow(int seconds) {
  HWND window = nullptr;
  pelorin::e2e::WaitUntil(
      [&] {
        window = pelorin::e2e::FindTopLevel(0, L"PelorinForm1", L"Pelorin");
        return window != nullptr;
      },
      static_cast<DWORD>(seconds) * 1000);
  if (window == nullptr) return 1;
  pelorin::e2e::Pause(500);  // the first paint
  RECT rect{};
  ::GetWindowRect(window, &rect);
  Print(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
        std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Lines end in LF only, as the shell that reads them expects.
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc == 3 && std::wstring(argv[1]) == L"--wait-for-window") {
    return WaitForWindow(_wtoi(argv[2]));
  }
  if (argc != 3 && argc != 4) {
    Print("usage: pelorin-e2e APP_FOLDER BELL_COUNT_FILE [CHECK_NUMBERS]");
    return 2;
  }
  ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  Context context;
  context.appFolder = argv[1];
  context.bellFile = argv[2];
  context.pelorin = std::make_unique<pelorin::e2e::PelorinApp>(context.ExePath());
  std::string error;
  if (!context.target.Exists() || !pelorin::e2e::WriteFixture(context.appFolder, &error)) {
    Print("cannot prepare the checks: " + (error.empty() ? "no target window" : error));
    return 2;
  }
  int failed = 0;
  int number = 0;
  const std::wstring only = argc == 4 ? L"," + std::wstring(argv[3]) + L"," : L"";
  for (const Check& check : kChecks) {
    ++number;
    if (!only.empty() && only.find(L"," + std::to_wstring(number) + L",") == std::wstring::npos) {
      continue;
    }
    const CheckResult result = check.run(context);
    if (!result.passed) ++failed;
    Print(std::string(result.passed ? "PASS " : "FAIL ") + std::to_string(number) + " " +
          check.name + (result.passed ? "" : ": " + result.detail));
  }
  return failed == 0 ? 0 : 1;
}
