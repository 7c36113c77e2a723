#pragma once
// The end-to-end checks of Pelorin.exe under wine. They run in order on one
// desktop and share what earlier ones left (the running program, the window
// rectangle saved at the close).

#include <windows.h>

#include <memory>
#include <string>

#include "tests/e2e/pelorin_app.h"
#include "tests/e2e/target_window.h"

namespace pelorin::e2e {

struct Context {
  std::wstring appFolder;  // holds Pelorin.exe, 設定.ini and data
  std::wstring bellFile;   // the count of X bells, kept by bell-watch
  TargetWindow target;
  std::unique_ptr<PelorinApp> pelorin;
  RECT closedRect{};  // Pelorin's window as it was when it was closed

  std::wstring ExePath() const { return appFolder + L"\\Pelorin.exe"; }
};

struct CheckResult {
  bool passed = true;
  std::string detail;  // why it failed
};

// Each returns with a reason when it fails.
CheckResult CheckStartsWithSavedLists(Context& context);
CheckResult CheckPastesIntoWindowBelow(Context& context);
CheckResult CheckPastesIntoNotepad(Context& context);
CheckResult CheckBeepsWithNothingBelow(Context& context);
CheckResult CheckRefusesSecondCopy(Context& context);
CheckResult CheckComesBackAsLeft(Context& context);
CheckResult CheckSettingsReadByWindows(Context& context);
CheckResult CheckCodePage932(Context& context);
CheckResult CheckInputBox(Context& context);
CheckResult CheckStateSurvivesDpiChanges(Context& context);
CheckResult CheckResources(Context& context);

// The bells counted so far, or -1.
long BellCount(const Context& context);

}  // namespace pelorin::e2e
