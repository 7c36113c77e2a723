#pragma once
// pelorin-wine-scenario --release-checks: what the scenario format cannot
// say, checked on the released Pelorin.exe through Windows' own functions:
// its version resources, icon and per-monitor DPI awareness; a double click
// pasting into wine's real notepad.exe; the settings file it saves read back
// by GetPrivateProfileStringA; the same saved STATE from a window closed
// untouched at 192 and at 96 dpi in turn. One PASS or FAIL line per check;
// 0 when all passed.

#include <filesystem>
#include <ostream>

#include "tests/e2e/wine_scenario/probe_client.h"

namespace pelorin::wine_scenario {

int RunReleaseChecks(const std::filesystem::path& exe, const std::filesystem::path& workFolder,
                     std::ostream& out);

// pelorin-wine-scenario --probe-answers: starts the exe once and prints
// "probe" when its window answers the probe, "no probe" when it does not.
int ProbeAnswers(const std::filesystem::path& exe, const std::filesystem::path& workFolder,
                 const ProbeClient& probe, std::ostream& out);

}  // namespace pelorin::wine_scenario
