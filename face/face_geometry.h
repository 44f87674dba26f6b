// Face geometry shared by the clock and the designer's preview: twips from the face's top-left corner.
#pragma once

#include <cmath>

#include "base/units.h"

namespace tkt {

inline constexpr float kFaceCentreTwips = 1350.0f;   // pixel (90, 90) at 15 twips per pixel
inline constexpr int kFaceRadiusPx = 90;             // also the scale factor of hand lengths
inline constexpr int kFaceSizePx = 180;

// Degrees to radians with pi held as a single, as the clock has always computed it.
inline constexpr float kPi = 3.1415927f;
inline constexpr float kRadPerDeg = kPi / 180.0f;

struct TwipPoint {
  float x = 0;
  float y = 0;
  bool operator==(const TwipPoint&) const = default;
};

// Tip of a hand whose angle in radians is already computed; scale is length / 10.
inline TwipPoint HandTip(float scale, int radius, double radians) {
  return {float(kFaceCentreTwips + double(scale) * radius * std::sin(radians)),
          float(kFaceCentreTwips - double(scale) * radius * std::cos(radians))};
}

// Whole-degree angles (seconds, minutes) multiply in single precision; the hour angle has a half
// degree and multiplies in double. Both as the clock's arithmetic always did.
inline double SecondOrMinuteRadians(int value) { return double(float(value * 6) * kRadPerDeg); }
inline double HourRadians(int hour, int minute) { return (hour * 30 + minute * 0.5) * double(kRadPerDeg); }

}  // namespace tkt
