#pragma once
// The search window and the call-up key dialog as the user meets them: read
// from their real controls (the search window's rows through the probe) and
// answered with real keys, the call-up key through the hot-key control's own
// message.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/e2e/wine_scenario/probe_client.h"
#include "tests/scenario/dialog_expectations.h"

namespace pelorin::wine_scenario {

bool IsSearchWindow(HWND dialog);
bool IsCallUpKeyDialog(HWND dialog);

// The call-up key dialog's prompt.
std::string CallUpKeyPrompt(HWND dialog);

// What the search window shows now: the text in its field and its results.
std::optional<scenario::SearchStep> ReadSearch(HWND dialog, HWND program, ProbeClient& probe,
                                               std::string* why);

// Types the text into the search window's field one character at a time, as
// a user does, noting what the window shows after each; nullopt when it went
// so, else why not.
std::optional<std::string> TypeIntoSearch(HWND dialog, HWND program, DWORD programThread,
                                          ProbeClient& probe, const std::string& text,
                                          std::vector<scenario::SearchStep>& steps);

// Moves the selection to the result with Down from the first, then presses
// Enter (with Shift held when asked); nullopt when done, else why not.
std::optional<std::string> ChooseSearchResult(HWND dialog, int result, bool shift);

// Puts the key into the dialog's hot-key control; false when it does not hold it then.
bool EnterCallUpKey(HWND dialog, const platform::KeyCombination& key);

}  // namespace pelorin::wine_scenario
