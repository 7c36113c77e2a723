#pragma once
// Where 設定.ini keeps the call-up key: section KEY, key HOTKEY, the key's
// name as app/key_names.h writes it, or "なし". Absent means the default key.
// Written only when the user confirms the call-up key dialog, so a user who
// never opens it keeps the file's bytes.

namespace pelorin::store {

inline constexpr const char* kCallUpKeySection = "KEY";
inline constexpr const char* kCallUpKeyName = "HOTKEY";

}  // namespace pelorin::store
