#include "faceformat/silhouette.h"

#include <gtest/gtest.h>

#include <random>

namespace faceformat {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kInk = Rgb(90, 60, 30);

TEST(Silhouette, OnlyPureWhiteIsCutAway) {
  Image img(4, 1);
  img.at(0, 0) = Rgb(255, 255, 254);
  img.at(1, 0) = Rgb(254, 255, 255);
  img.at(2, 0) = 0xAB000000 | kWhite;  // the reserved byte does not count
  img.at(3, 0) = Rgb(0, 0, 0);
  Image sil = MakeSilhouette(img);
  EXPECT_EQ(sil.pixels, (std::vector<uint32_t>{0, 0, 0xAB000000 | kWhite, 0}));
  EXPECT_EQ(MakeRegionRuns(img), (std::vector<RegionRun>{{3, 0, 1}, {0, 0, 2}}));
}

// Decoded PNG, GIF or TIFF pixels, 0xAARRGGBB: under half opacity is outside.
TEST(Silhouette, AlphaPictureCutsTheTransparentPartAndKeepsOpaqueWhiteInside) {
  Image img(6, 1);
  img.pixels = {0x00123456, 0x7F000000 | kInk, 0x80000000 | kInk, 0xFF000000 | kWhite, 0xFF000000 | kInk,
                0x00FFFFFF};
  const Image face = FaceFromAlphaPicture(img);
  EXPECT_EQ(face.pixels, (std::vector<uint32_t>{kWhite, kWhite, kInk, Rgb(255, 255, 254), kInk, kWhite}));
  EXPECT_EQ(MakeRegionRuns(face), (std::vector<RegionRun>{{2, 0, 3}}));

  // Wholly opaque (a JPEG): the white rule, as for a bitmap.
  img.pixels = {0xFF000000 | kWhite, 0xFF000000 | kInk};
  img.width = 2;
  EXPECT_EQ(FaceFromAlphaPicture(img).pixels, (std::vector<uint32_t>{kWhite, kInk}));
}

TEST(Silhouette, RunsGoRightToLeftAndCloseAtRowEnds) {
  Image img(10, 3);
  img.at(1, 0) = img.at(2, 0) = kInk;
  img.at(6, 0) = kInk;
  img.at(8, 1) = img.at(9, 1) = kInk;  // right end of one row...
  img.at(0, 2) = img.at(1, 2) = kInk;  // ...and left end of the next stay two runs
  EXPECT_EQ(MakeRegionRuns(img), (std::vector<RegionRun>{{6, 0, 1}, {1, 0, 2}, {8, 1, 2}, {0, 2, 2}}));
}

TEST(Silhouette, RunsCoverExactlyTheNonWhitePixels) {
  std::mt19937 rng(5);
  for (int trial = 0; trial < 50; ++trial) {
    Image img(1 + int(rng() % 60), 1 + int(rng() % 40));
    for (auto& p : img.pixels) p = rng() % 3 ? kWhite : uint32_t(rng() & 0xFFFFFF);
    auto runs = MakeRegionRuns(img);
    Image drawn(img.width, img.height);
    for (size_t i = 0; i < runs.size(); ++i) {
      const RegionRun& r = runs[i];
      ASSERT_GT(r.length, 0);
      ASSERT_LE(r.left + r.length, img.width);
      if (i > 0) {
        const RegionRun& p = runs[i - 1];
        ASSERT_TRUE(p.row < r.row || (p.row == r.row && p.left > r.left + r.length)) << "order or gap wrong";
      }
      for (int x = r.left; x < r.left + r.length; ++x) drawn.at(x, r.row) = 0;
    }
    EXPECT_EQ(drawn, MakeSilhouette(img));
  }
}

}  // namespace
}  // namespace faceformat
