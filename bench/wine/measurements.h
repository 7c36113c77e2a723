#pragma once
// The measurements of pelorin-wine-bench. Each repeats its measurement
// `runs` times (after one run that warms up and is not counted) and returns
// the medians in milliseconds, or nothing (said on stderr) when it could not
// measure.

#include <optional>
#include <string>

namespace pelorin::bench::wine {

// From CreateProcessW to the first visible window: Pelorin.exe (in a folder
// with the starter collection) and a program that only shows a window,
// started in turn.
struct StartTimes {
  double pelorin = 0;
  double window = 0;
};
std::optional<StartTimes> MeasureStart(const std::wstring& pelorinExe,
                                       const std::wstring& windowExe, int runs);

// Clicks on the category list of Pelorin-timing.exe, in a folder it fills
// with two categories: one of 10,000 kaomoji from the corpus, one of 10.
// The span of each click's handling comes from the program's timing log.
struct SelectionTimes {
  double selectLarge = 0;  // the click on the 10,000, the list then filled
  double leaveLarge = 0;   // the click back: the 10,000 saved, 10 loaded
};
std::optional<SelectionTimes> MeasureSelection(const std::wstring& timingExe,
                                               const std::string& corpusPath, int runs);

// Pastes with Enter from Pelorin-timing.exe into a window of this program.
struct PasteTimes {
  double fromForeground = 0;  // the target seen in front -> Ctrl+V sent (in Pelorin)
  double fromActivation = 0;  // the activation begun -> Ctrl+V sent (in Pelorin)
  double received = 0;        // the target's WM_ACTIVATE -> its V key arrived (here)
};
std::optional<PasteTimes> MeasurePaste(const std::wstring& timingExe, const std::string& corpusPath,
                                       int runs);

// Reading the category list of 2,000 categories and each one's FILE key
// once: through store::SettingsFile on Win32FileSystem, as the program
// reads, and through the system's GetPrivateProfileStringA, on the same
// file in `folder`.
struct ProfileTimes {
  double program = 0;
  double system = 0;
};
std::optional<ProfileTimes> MeasureProfile(const std::string& folder, int runs);

}  // namespace pelorin::bench::wine
