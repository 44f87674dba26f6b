// Screen and font units: twips, points and HIMETRIC per inch, and the design scale of 96 DPI.
#pragma once

#include <cmath>

namespace tkt {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;
inline constexpr int kHimetricPerInch = 2540;  // hundredths of a millimetre
inline constexpr int kDesignDpi = 96;
inline constexpr int kDesignTwipsPerPixel = kTwipsPerInch / kDesignDpi;  // 15

// A length in 96-DPI pixels at `dpi`, rounded half away from zero (as MulDiv does); unchanged at 96 or
// without a DPI.
inline int ScaleFromPixels96(int pixels96, int dpi) {
  if (dpi <= 0 || dpi == kDesignDpi) return pixels96;
  return int(std::lround(double(pixels96) * dpi / kDesignDpi));
}

// Twips per pixel of a screen, rounded to a whole number; the design scale when the screen gives no DPI.
inline int TwipsPerPixelAt(int dpi) {
  return dpi > 0 ? int(std::lround(double(kTwipsPerInch) / dpi)) : kDesignTwipsPerPixel;
}

// A font's character height in pixels for its size in points, rounded; and back, unrounded.
inline int PixelsFromPoints(double points, int dpi) { return int(std::lround(points * dpi / kPointsPerInch)); }
inline double PointsFromPixels(double pixels, int dpi) { return pixels * kPointsPerInch / dpi; }

}  // namespace tkt
