#pragma once
// The fixed metrics of the simulated window system, in twips, so that
// scenarios can check geometry exactly.

#include "platform/platform.h"

namespace pelorin::sim {

// Outer minus client size: width, height with the menu bar, without it.
inline constexpr platform::FrameSizes kFrameSizes{110, 640, 360};

inline constexpr platform::Rect kScreen{0, 0, 15360, 11040};

// A fresh window: the design client area 4695 x 2070 plus the frame with the
// menu bar.
inline constexpr platform::Rect kFreshWindow{1200, 1200, 4805, 2710};

inline constexpr float kMinimizedWidth = 2400;
inline constexpr float kMinimizedHeight = 360;

// A list box shows whole rows of this height inside a border of kListBorder.
inline constexpr float kRowHeight = 195;
inline constexpr float kListBorder = 60;

// Design rectangles of the three lists (client coordinates).
inline constexpr platform::Rect kList1Design{0, 2040, 4695, 240};
inline constexpr platform::Rect kList2Design{0, 0, 3495, 2040};
inline constexpr platform::Rect kList3Design{3480, 0, 1215, 2040};

inline constexpr const char* kApplicationTitle = "Pelorin";
inline constexpr const char* kDesktopTitle = "Program Manager";

}  // namespace pelorin::sim
