// The anti-aliased rasterizer: ink, widths, caps and never drawing outside the clip or a shape's bounds.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "face/raster.h"

using faceformat::Image;
using tkt::Canvas;
using tkt::PixelRect;

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0;

// How much black ink lies on a pixel of a white picture, 0..1.
double Ink(const Image& img, int x, int y) { return (255 - (img.at(x, y) & 0xFF)) / 255.0; }
double TotalInk(const Image& img) {
  double total = 0;
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) total += Ink(img, x, y);
  return total;
}

TEST(DrawLine, WidthIsTheInkAcrossTheLineInAnyDirection) {
  for (int width = 1; width <= 9; ++width) {
    Image img(40, 30, kWhite);
    tkt::DrawLine(Canvas::Of(img), {0, 0, 40, 30}, 5.0f, 15.5f, 35.0f, 15.5f, float(width), kBlack);
    double across = 0;
    int solid = 0;
    for (int y = 0; y < 30; ++y) across += Ink(img, 20, y), solid += img.at(20, y) == kBlack;
    EXPECT_NEAR(across, width, 0.02) << width;
    EXPECT_EQ(solid, width % 2 ? width : width - 1) << width;  // pixel-centred: odd widths are crisp
  }
  for (double deg : {0.0, 17.0, 45.0, 80.0, 133.0}) {
    Image img(60, 60, kWhite);
    const double a = deg * 3.14159265358979 / 180;
    const float dx = float(25 * std::cos(a)), dy = float(25 * std::sin(a));
    tkt::DrawLine(Canvas::Of(img), {0, 0, 60, 60}, 30 - dx, 30 - dy, 30 + dx, 30 + dy, 3.0f, kBlack);
    EXPECT_NEAR(TotalInk(img), 3 * 50 + 3.14159 * 1.5 * 1.5, 3.0) << deg;
  }
}

TEST(DrawLine, RoundCapsReachHalfTheWidthBeyondTheEnds) {
  Image img(40, 21, kWhite);
  tkt::DrawLine(Canvas::Of(img), {0, 0, 40, 21}, 10.5f, 10.5f, 29.5f, 10.5f, 5.0f, kBlack);
  EXPECT_EQ(img.at(8, 10), kBlack);  // 2 px beyond the start, inside the cap
  EXPECT_NE(img.at(8, 8), kBlack);   // the cap's corner is rounded off
  EXPECT_EQ(img.at(7, 10), kWhite);
  EXPECT_EQ(img.at(31, 10), kBlack);
  EXPECT_EQ(img.at(32, 10), kWhite);
  Image thin(10, 10, kWhite);  // a line thinner than a pixel still draws one
  tkt::DrawLine(Canvas::Of(thin), {0, 0, 10, 10}, 1.5f, 4.5f, 8.5f, 4.5f, 0.0f, kBlack);
  EXPECT_EQ(thin.at(5, 4), kBlack);
}

TEST(Circles, FilledDiscAndRingCarryTheirArea) {
  Image disc(41, 41, kWhite);
  tkt::FillCircle(Canvas::Of(disc), {0, 0, 41, 41}, 20.5f, 20.5f, 9.0f, kBlack);
  EXPECT_NEAR(TotalInk(disc), 3.14159 * 81, 1.5);
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x) ASSERT_EQ(disc.at(x, y), disc.at(40 - x, y));
  Image ring(41, 41, kWhite);
  tkt::StrokeCircle(Canvas::Of(ring), {0, 0, 41, 41}, 20.5f, 20.5f, 15.0f, 1.0f, kBlack);
  EXPECT_EQ(ring.at(20, 20), kWhite);
  EXPECT_EQ(ring.at(20, 35), kBlack);  // centre 35.5 is 15 px from the middle
  EXPECT_NEAR(TotalInk(ring), 2 * 3.14159 * 15, 2.0);
}

TEST(Drawing, NothingChangesOutsideTheClipOrTheShapesBounds) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<float> pos(-30.0f, 90.0f), width(0.0f, 12.0f);
  std::uniform_int_distribution<int> edge(-10, 70);
  for (int round = 0; round < 300; ++round) {
    Image img(60, 50, kWhite);
    const Image before = img;
    PixelRect clip{edge(rng), edge(rng), edge(rng), edge(rng)};
    const float x0 = pos(rng), y0 = pos(rng), x1 = pos(rng), y1 = pos(rng), w = width(rng);
    PixelRect bounds;
    switch (round % 4) {
      case 0:
        tkt::DrawLine(Canvas::Of(img), clip, x0, y0, x1, y1, w, kBlack);
        bounds = tkt::LineBounds(x0, y0, x1, y1, w);
        break;
      case 1:
        tkt::FillCircle(Canvas::Of(img), clip, x0, y0, w * 2, kBlack);
        bounds = tkt::CircleBounds(x0, y0, w * 2);
        break;
      case 2:
        tkt::StrokeCircle(Canvas::Of(img), clip, x0, y0, w * 3, w / 2, kBlack);
        bounds = tkt::CircleBounds(x0, y0, w * 3 + std::max(w / 2, 1.0f) / 2);
        break;
      default: {
        const Image src(int(w) + 1, int(w / 2) + 1, kBlack);
        tkt::DrawImage(Canvas::Of(img), clip, src, int(x0), int(y0));
        bounds = {int(x0), int(y0), int(x0) + src.width, int(y0) + src.height};
      }
    }
    const PixelRect allowed = tkt::Intersect(clip, bounds);
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 60; ++x)
        if (!(x >= allowed.left && x < allowed.right && y >= allowed.top && y < allowed.bottom)) {
          ASSERT_EQ(img.at(x, y), before.at(x, y)) << "round " << round << " at " << x << "," << y;
        }
  }
}

}  // namespace
