#pragma once
// The key codes and shift masks the commands test (the platform's
// virtual-key codes; shift: 1 Shift, 2 Ctrl, 4 Alt).

namespace pelorin::app {

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyF = 70;
inline constexpr int kShiftOnly = 1;
inline constexpr int kCtrlOnly = 2;

}  // namespace pelorin::app
