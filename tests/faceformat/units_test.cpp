#include "base/units.h"

#include <gtest/gtest.h>

namespace tkt {
namespace {

TEST(Units, TwipsPerPixelRoundsToTheNearestWholeNumber) {
  const struct { int dpi, twips; } cases[] = {
      {96, 15}, {120, 12}, {144, 10}, {192, 8} /* 7.5 rounds up */, {72, 20}, {0, 15} /* no DPI: design scale */};
  for (const auto& c : cases) EXPECT_EQ(TwipsPerPixelAt(c.dpi), c.twips) << c.dpi;
}

TEST(Units, FontHeightFromPointsRoundsHalvesAwayFromZero) {
  const struct { double points; int dpi, pixels; } cases[] = {
      {9, 96, 12}, {9, 120, 15}, {9.75, 96, 13}, {1.125, 96, 2} /* 1.5 */, {10.875, 96, 15} /* 14.5 */, {12, 144, 24}};
  for (const auto& c : cases) EXPECT_EQ(PixelsFromPoints(c.points, c.dpi), c.pixels) << c.points << " pt";
  EXPECT_DOUBLE_EQ(PointsFromPixels(13, 96), 9.75);
}

}  // namespace
}  // namespace tkt
