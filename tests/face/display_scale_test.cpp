// The face at 100 to 200 % and odd scales: sizes, region runs against the scaled picture, the scene.
#include "face/display_scale.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "face/face_render.h"
#include "faceformat/bmp.h"
#include "faceformat/silhouette.h"

namespace tkt {
namespace {

using faceformat::Image;
using faceformat::Rgb;

constexpr int kDpis[] = {96, 120, 144, 168, 192, 110, 73, 250};

TEST(DisplayScale, SizesAndCentresMapInside) {
  const std::pair<int, int> face[] = {{96, 180}, {120, 225}, {144, 270}, {168, 315}, {192, 360}, {110, 206}};
  for (const auto& [dpi, size] : face) EXPECT_EQ(ScaledSize(180, dpi), size) << dpi;
  for (int dpi : kDpis)
    for (int n : {0, 1, 2, 3, 7, 180, 314, 335, 701}) {
      const int scaled = ScaledSize(n, dpi);
      EXPECT_LT(scaled > 0 ? SourceIndex(scaled - 1, dpi) : -1, n);
      EXPECT_GE(SourceIndex(scaled, dpi), n);
    }
  for (int i = 0; i < 400; ++i) EXPECT_EQ(SourceIndex(i, 96), i);
}

Image Blobs(int w, int h, std::mt19937& rng) {
  Image img(w, h, faceformat::kCutColor);
  for (int k = 0; k < 6; ++k) {
    const int cx = int(rng() % unsigned(w)), cy = int(rng() % unsigned(h)), r = 1 + int(rng() % 20);
    const uint32_t colour = rng() & 0xFFFFFF;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) img.at(x, y) = colour;
  }
  img.at(int(rng() % unsigned(w)), 0) = 0;  // single pixels at the edges
  img.at(w - 1, h - 1) = 0;
  return img;
}

// The window region cut from the scaled runs has exactly the outline of the scaled picture.
TEST(DisplayScale, ScaledRunsAreTheOutlineOfTheScaledPicture) {
  std::mt19937 rng(11);
  std::vector<Image> pictures = {Blobs(61, 47, rng), Blobs(180, 180, rng), Image(1, 1, 0)};
  auto hato = faceformat::ReadBmpFile(std::filesystem::path(TKT_SOURCE_DIR) / "art" / "generated" / "hato.bmp");
  ASSERT_TRUE(hato.ok());
  pictures.push_back(*hato);
  for (const Image& picture : pictures) {
    const auto runs = faceformat::MakeRegionRuns(picture);
    EXPECT_EQ(ScalePicture(picture, 96), picture);
    EXPECT_EQ(ScaleRegionRuns(runs, 96), runs);
    for (int dpi : kDpis) {
      SCOPED_TRACE(::testing::Message() << picture.width << "x" << picture.height << " at " << dpi);
      const Image scaled = ScalePicture(picture, dpi);
      EXPECT_EQ(scaled.width, ScaledSize(picture.width, dpi));
      EXPECT_EQ(scaled.height, ScaledSize(picture.height, dpi));
      EXPECT_EQ(ScaleRegionRuns(runs, dpi), faceformat::MakeRegionRuns(scaled));
      // Scaled bands are the bands of the scaled runs.
      EXPECT_EQ(ScaleRegionBands(runs, *faceformat::BuildRegionBands(runs), dpi).value(),
                faceformat::BuildRegionBands(ScaleRegionRuns(runs, dpi)).value());
    }
  }
  // Runs in any order, with a row the picture does not have, scale all the same.
  const std::vector<faceformat::RegionRun> mixed = {{0, 3, 2}, {4, 0, 1}, {1, 0, 2}};
  EXPECT_EQ(ScaleRegionRuns(mixed, 192),
            (std::vector<faceformat::RegionRun>{{8, 0, 2}, {2, 0, 4}, {8, 1, 2}, {2, 1, 4}, {0, 6, 4}, {0, 7, 4}}));
}

// No white fringe: a one-colour disc on white stays that one colour up to its cut edge.
TEST(DisplayScale, ScaledPictureKeepsOutsideOutOfTheEdge) {
  Image disc(180, 180, faceformat::kCutColor);
  for (int y = 0; y < 180; ++y)
    for (int x = 0; x < 180; ++x)
      if ((x - 90) * (x - 90) + (y - 90) * (y - 90) <= 85 * 85) disc.at(x, y) = Rgb(200, 20, 20);
  for (int dpi : kDpis) {
    const Image scaled = ScalePicture(disc, dpi);
    for (uint32_t p : scaled.pixels) ASSERT_TRUE(p == faceformat::kCutColor || p == Rgb(200, 20, 20)) << dpi;
  }
  // Inside pixels never average to pure white.
  Image nearWhite(2, 1);
  nearWhite.pixels = {Rgb(255, 255, 254), Rgb(255, 254, 255)};
  for (uint32_t p : ScalePicture(nearWhite, 150).pixels) EXPECT_NE(p, faceformat::kCutColor);
}

// The hands, dot and read-out in scaled units: centred on the scaled face, as today at 96.
TEST(DisplayScale, SceneGeometryFollowsTheScale) {
  FaceScene base;
  base.hands.push_back({1350, 1350, 2700, 1350, 3, 0x00FF0000});  // 90 px to the right at 96
  base.dots.push_back({1350 - 150, 1350 - 150, 300, 300, 0x000000FF, true});
  base.frames.push_back({0, 0, 2700, 2700, 0x0000FF00, false});
  const FaceScene same = ScaleScene(base, 96);
  EXPECT_EQ(same.twipsPerPixel, 15.0f);
  EXPECT_EQ(same.hands[0].x1, 1350.0f);
  EXPECT_EQ(same.dots[0].left, 1200.0f);
  EXPECT_EQ(same.hands[0].widthPx, 3.0f);
  // The 3-pixel hand and the 1-pixel frame, worked out by hand: rounded half away from zero, at least 1.
  const struct {
    int dpi;
    float hand, frame;
  } widths[] = {{96, 3, 1}, {120, 4, 1}, {144, 5, 2}, {168, 5, 2}, {192, 6, 2}, {110, 3, 1}, {73, 2, 1}, {250, 8, 3}};
  for (const auto& [dpi, hand, frame] : widths) {
    SCOPED_TRACE(dpi);
    const FaceScene scene = ScaleScene(base, dpi);
    const int size = ScaledSize(314, dpi);
    Image img(size, size, 0);
    RenderFace(scene, Canvas::Of(img), {0, 0, size, size}, FaceLayer::AboveText);
    int left = size, right = -1, handEnd = -1;
    for (int x = 0; x < size; ++x) {
      const int row = ScaleFromTwips(1350, dpi);
      if (img.at(x, row) == 0x000000FFu) left = std::min(left, x), right = std::max(right, x);
      if (img.at(x, row) != 0) handEnd = x;
    }
    // Centred on what pixel (90, 90) of the face picture became.
    const double centre = (left + right + 1) / 2.0;
    EXPECT_NEAR(centre, 90.5 * dpi / 96, 0.5);
    EXPECT_NEAR(right + 1 - left, 20.0 * dpi / 96, 2.0);
    EXPECT_NEAR(handEnd, 180.0 * dpi / 96, 3.0 * dpi / 96);
    EXPECT_EQ(scene.hands[0].widthPx, hand);
    EXPECT_EQ(scene.frames[0].strokePx, frame);
  }
}

}  // namespace
}  // namespace tkt
