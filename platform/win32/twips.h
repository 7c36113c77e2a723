#pragma once
// Twips (1/1440 inch) <-> pixels at a given DPI: 15 twips a pixel at 96 dpi.

#include <cmath>

namespace pelorin::platform::win32 {

inline constexpr float kTwipsPerInch = 1440.0f;

inline float PixelsToTwips(int pixels, unsigned dpi) {
  return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

inline int TwipsToPixels(float twips, unsigned dpi) {
  return static_cast<int>(std::lround(twips * static_cast<float>(dpi) / kTwipsPerInch));
}

}  // namespace pelorin::platform::win32
