#pragma once
// Names of call-up keys, as the menu caption shows them and the settings file
// keeps them: modifiers in the order Ctrl, Alt, Shift, joined with "+", then
// the key's name ("Ctrl+Alt+K", "Ctrl+Shift+F12", "Alt+1"). A call-up key
// holds Ctrl or Alt; its key is a letter, a digit, F1-F24 or one of the few
// keys named in key_names.cpp.

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace pelorin::app {

// Written for "no call-up key".
inline constexpr const char* kNoKeyName = "なし";

// nullopt: not a call-up key (unknown name, no Ctrl and no Alt, a modifier
// twice, a piece left over). Reading is lenient where a hand edit may differ:
// ASCII letter case, spaces around the pieces, the order of the modifiers.
std::optional<platform::KeyCombination> ParseKeyName(std::string_view text);
// The name of a key ParseKeyName accepts; "" for one it would refuse.
std::string FormatKeyName(const platform::KeyCombination& key);

}  // namespace pelorin::app
