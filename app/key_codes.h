#pragma once
// The key codes and shift masks the commands test (the platform's
// virtual-key codes; shift: 1 Shift, 2 Ctrl, 4 Alt).

namespace pelorin::app {

inline constexpr int kKeyF = 70;
inline constexpr int kCtrlOnly = 2;

}  // namespace pelorin::app
