// The anti-aliased rasterizer: coverage, widths, caps and clipping.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "clock/raster.h"

using faceformat::Image;
using tkt::Canvas;
using tkt::PixelRect;

namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0;

// How much of the black ink lies on a pixel of a white picture, 0..1.
double Ink(const Image& img, int x, int y) { return (255 - (img.at(x, y) & 0xFF)) / 255.0; }

Image Blank(int w, int h) { return Image(w, h, kWhite); }

TEST(Blend, EndsAndMiddle) {
  EXPECT_EQ(tkt::Blend(0x00102030, 0x00FFFFFF, 0.0f), 0x00102030u);
  EXPECT_EQ(tkt::Blend(0x00102030, 0xFFA0B0C0, 1.0f), 0x00A0B0C0u);
  EXPECT_EQ(tkt::Blend(0x00000000, 0x00FEFEFE, 0.5f), 0x007F7F7Fu);
}

TEST(DrawLine, CoverageIsSymmetricAboutTheLine) {
  Image img = Blank(21, 21);
  tkt::DrawLine(Canvas::Of(img), {0, 0, 21, 21}, 10.5f, 3.5f, 10.5f, 17.5f, 3.0f, kBlack);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) {
      EXPECT_EQ(img.at(x, y), img.at(20 - x, y)) << x << "," << y;
      EXPECT_EQ(img.at(x, y), img.at(x, 20 - y)) << x << "," << y;
    }

  Image diag = Blank(24, 24);
  tkt::DrawLine(Canvas::Of(diag), {0, 0, 24, 24}, 3.2f, 3.2f, 20.7f, 20.7f, 2.5f, kBlack);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) EXPECT_EQ(diag.at(x, y), diag.at(y, x)) << x << "," << y;
}

TEST(DrawLine, WidthIsTheInkAcrossTheLine) {
  for (int width = 1; width <= 9; ++width) {
    Image img = Blank(40, 30);
    tkt::DrawLine(Canvas::Of(img), {0, 0, 40, 30}, 5.0f, 15.5f, 35.0f, 15.5f, float(width), kBlack);
    double across = 0;
    int solid = 0;
    for (int y = 0; y < 30; ++y) {
      across += Ink(img, 20, y);
      solid += img.at(20, y) == kBlack;
    }
    EXPECT_NEAR(across, width, 0.02) << width;
    EXPECT_EQ(solid, width % 2 ? width : width - 1) << width;  // pixel-centred: odd widths are crisp
  }
  // Any direction carries the same ink.
  for (double deg : {0.0, 17.0, 45.0, 80.0, 133.0}) {
    Image img = Blank(60, 60);
    const double a = deg * 3.14159265358979 / 180;
    const float dx = float(25 * std::cos(a)), dy = float(25 * std::sin(a));
    tkt::DrawLine(Canvas::Of(img), {0, 0, 60, 60}, 30 - dx, 30 - dy, 30 + dx, 30 + dy, 3.0f, kBlack);
    double total = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x) total += Ink(img, x, y);
    EXPECT_NEAR(total, 3 * 50 + 3.14159 * 1.5 * 1.5, 3.0) << deg;
  }
}

TEST(DrawLine, RoundCapsReachHalfTheWidthBeyondTheEnds) {
  Image img = Blank(40, 21);
  tkt::DrawLine(Canvas::Of(img), {0, 0, 40, 21}, 10.5f, 10.5f, 29.5f, 10.5f, 5.0f, kBlack);
  EXPECT_EQ(img.at(8, 10), kBlack);    // 2 px beyond the start, inside the cap
  EXPECT_NE(img.at(8, 8), kBlack);     // the cap's corner is rounded off
  EXPECT_EQ(img.at(7, 10), kWhite);    // 3 px beyond: outside
  EXPECT_EQ(img.at(32, 10), kWhite);
  EXPECT_EQ(img.at(31, 10), kBlack);

  Image dot = Blank(11, 11);  // a segment of no length is a disc
  tkt::DrawLine(Canvas::Of(dot), {0, 0, 11, 11}, 5.5f, 5.5f, 5.5f, 5.5f, 5.0f, kBlack);
  EXPECT_EQ(dot.at(5, 5), kBlack);
  EXPECT_EQ(dot.at(3, 5), kBlack);
  EXPECT_EQ(dot.at(5, 7), kBlack);
  EXPECT_EQ(dot.at(0, 5), kWhite);
}

TEST(DrawLine, ThinLinesStillDrawOnePixel) {
  Image img = Blank(10, 10);
  tkt::DrawLine(Canvas::Of(img), {0, 0, 10, 10}, 1.5f, 4.5f, 8.5f, 4.5f, 0.0f, kBlack);
  EXPECT_EQ(img.at(5, 4), kBlack);
  EXPECT_EQ(img.at(5, 3), kWhite);
}

TEST(Drawing, NothingChangesOutsideTheClipOrTheShapesBounds) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<float> pos(-30.0f, 90.0f), width(0.0f, 12.0f);
  std::uniform_int_distribution<int> edge(-10, 70);
  for (int round = 0; round < 300; ++round) {
    Image img = Blank(60, 50);
    const Image before = img;
    PixelRect clip{edge(rng), edge(rng), edge(rng), edge(rng)};
    const float x0 = pos(rng), y0 = pos(rng), x1 = pos(rng), y1 = pos(rng), w = width(rng);
    PixelRect bounds;
    switch (round % 3) {
      case 0:
        tkt::DrawLine(Canvas::Of(img), clip, x0, y0, x1, y1, w, kBlack);
        bounds = tkt::LineBounds(x0, y0, x1, y1, w);
        break;
      case 1:
        tkt::FillCircle(Canvas::Of(img), clip, x0, y0, w * 2, kBlack);
        bounds = tkt::CircleBounds(x0, y0, w * 2);
        break;
      default:
        tkt::StrokeCircle(Canvas::Of(img), clip, x0, y0, w * 3, w / 2, kBlack);
        bounds = tkt::CircleBounds(x0, y0, w * 3 + std::max(w / 2, 1.0f) / 2);
    }
    const PixelRect allowed = tkt::Intersect(clip, bounds);
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 60; ++x) {
        const bool inside = x >= allowed.left && x < allowed.right && y >= allowed.top && y < allowed.bottom;
        if (!inside) {
          ASSERT_EQ(img.at(x, y), before.at(x, y)) << "round " << round << " at " << x << "," << y;
        }
      }
  }
}

TEST(FillCircle, AreaAndSymmetry) {
  Image img = Blank(41, 41);
  tkt::FillCircle(Canvas::Of(img), {0, 0, 41, 41}, 20.5f, 20.5f, 9.0f, kBlack);
  double total = 0;
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x) {
      total += Ink(img, x, y);
      EXPECT_EQ(img.at(x, y), img.at(40 - x, y));
      EXPECT_EQ(img.at(x, y), img.at(y, x));
    }
  EXPECT_NEAR(total, 3.14159 * 81, 1.5);
  EXPECT_EQ(img.at(20, 20), kBlack);
  EXPECT_EQ(img.at(20, 10), kWhite);
}

TEST(StrokeCircle, ARingWithAnEmptyMiddle) {
  Image img = Blank(41, 41);
  tkt::StrokeCircle(Canvas::Of(img), {0, 0, 41, 41}, 20.5f, 20.5f, 15.0f, 1.0f, kBlack);
  EXPECT_EQ(img.at(20, 20), kWhite);
  EXPECT_EQ(img.at(20, 30), kWhite);
  EXPECT_EQ(img.at(20, 35), kBlack);  // centre 35.5 is 15 px from the middle
  EXPECT_EQ(img.at(5, 20), kBlack);
  double total = 0;
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x) total += Ink(img, x, y);
  EXPECT_NEAR(total, 2 * 3.14159 * 15, 2.0);
}

TEST(DrawImage, CopiesWithinClipOnly) {
  Image src(3, 2, 0x00123456);
  src.at(2, 1) = 0x00ABCDEF;
  Image img = Blank(6, 5);
  tkt::DrawImage(Canvas::Of(img), {0, 0, 5, 5}, src, 3, 3);
  EXPECT_EQ(img.at(3, 3), 0x00123456u);
  EXPECT_EQ(img.at(4, 4), 0x00123456u);
  EXPECT_EQ(img.at(5, 4), kWhite);  // clipped
  EXPECT_EQ(img.at(2, 3), kWhite);
  tkt::DrawImage(Canvas::Of(img), {0, 0, 6, 5}, src, -2, -1);  // partly off the canvas
  EXPECT_EQ(img.at(0, 0), 0x00ABCDEFu);
}

}  // namespace
