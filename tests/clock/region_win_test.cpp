// The window region built from bands equals the union of the runs made one record at a time.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "faceformat/bmp.h"
#include "faceformat/settings.h"
#include "region_win.h"

using faceformat::RegionRun;

namespace {

tkt::GdiObject<HRGN> FromBands(const std::vector<RegionRun>& runs) {
  auto bands = faceformat::BuildRegionBands(runs);
  EXPECT_TRUE(bands.ok());
  return bands ? tkt::BuildWindowRegion(*bands) : tkt::GdiObject<HRGN>{};
}

bool SameShape(const tkt::GdiObject<HRGN>& a, const tkt::GdiObject<HRGN>& b) {
  return a && b && EqualRgn(a.get(), b.get());
}

TEST(WindowRegion, RandomRunSetsEqualTheOneByOneUnion) {
  std::mt19937 rng(20240506);
  for (int round = 0; round < 60; ++round) {
    std::uniform_int_distribution<int> count(1, round < 40 ? 300 : 6000), col(-50, 400), row(-20, 300), len(-30, 120);
    std::vector<RegionRun> runs(size_t(count(rng)));
    for (auto& r : runs) r = {col(rng), row(rng), len(rng) % 7 == 0 ? 0 : len(rng)};
    // Repeats and overlaps on purpose.
    for (size_t i = 0; i + 3 < runs.size(); i += 11) runs[i + 3] = runs[i];
    SCOPED_TRACE(round);
    EXPECT_TRUE(SameShape(FromBands(runs), tkt::BuildRegionOneByOne(runs)));
  }
}

class ApplyFaceRegionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("tkt-region-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(dir_);
    faceformat::Image face(40, 30, 0x00123456);
    ASSERT_TRUE(faceformat::WriteBmpFile(dir_ / "face.bmp", face).ok());
    Write("face.rgp", "5 0 10\r\n0 1 20 3 2 4\r\n");  // records across lines read by count
    wnd_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(wnd_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  void Write(const char* name, const std::string& text) { std::ofstream(dir_ / name, std::ios::binary) << text; }
  std::string Path(const char* name) { return (dir_ / name).string(); }

  std::filesystem::path dir_;
  HWND wnd_ = nullptr;
};

TEST_F(ApplyFaceRegionTest, ShapesTheWindowAndLoadsThePicture) {
  faceformat::Image face;
  auto result = tkt::ApplyFaceRegion(wnd_, Path("face.rgp"), Path("face.bmp"), face);
  ASSERT_TRUE(result.ok()) << result.error().what;
  EXPECT_NE(*result, 0);
  EXPECT_EQ(face.width, 40);
  EXPECT_EQ(face.at(3, 3), 0x00123456u);
  tkt::GdiObject<HRGN> actual(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(wnd_, actual.get()), COMPLEXREGION);
  const std::vector<RegionRun> runs{{5, 0, 10}, {0, 1, 20}, {3, 2, 4}};
  EXPECT_TRUE(SameShape(actual, tkt::BuildRegionOneByOne(runs)));
}

TEST_F(ApplyFaceRegionTest, EveryBadInputIsAnErrorAndLeavesTheWindowRectangular) {
  faceformat::Image face;
  Write("empty.rgp", "");
  Write("short.rgp", "1 2 3\r\n4 5");
  Write("text.rgp", "1 2 x\r\n");
  Write("big.rgp", "2147483647 0 1\r\n");
  Write("bad.bmp", "BM not really");
  // Files larger than a 32-bit process could ever hold (sparse: no disk used) are refused, not read.
  for (const char* name : {"huge.rgp", "huge.bmp", "huge.ini"}) {
    Write(name, name[5] == 'b' ? "BM" : "1 2 3\r\n");
    std::filesystem::resize_file(dir_ / name, 3ull << 30);
  }
  EXPECT_FALSE(faceformat::ReadSettingsFile(dir_ / "huge.ini").ok());
  const std::pair<const char*, const char*> cases[] = {
      {"face.rgp", "missing.bmp"}, {"face.rgp", "bad.bmp"},   {"missing.rgp", "face.bmp"}, {"empty.rgp", "face.bmp"},
      {"short.rgp", "face.bmp"},   {"text.rgp", "face.bmp"}, {"big.rgp", "face.bmp"},      {"huge.rgp", "face.bmp"},
      {"face.rgp", "huge.bmp"}};
  for (auto [rgp, bmp] : cases) {
    EXPECT_FALSE(tkt::ApplyFaceRegion(wnd_, Path(rgp), Path(bmp), face).ok()) << rgp << " " << bmp;
    tkt::GdiObject<HRGN> none(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(wnd_, none.get()), ERROR) << rgp << " " << bmp;
  }
}

// The most records a region file may hold still shape a window in a 32-bit process.
TEST_F(ApplyFaceRegionTest, TheLargestRegionFileShapesTheWindow) {
  std::string text;
  for (int row = 0; row < faceformat::kMaxRegionRuns / 2; ++row) {
    text += "0 " + std::to_string(row) + " 7\r\n";
    text += "9 " + std::to_string(row) + " 3\r\n";
  }
  Write("largest.rgp", text);
  faceformat::Image face;
  auto result = tkt::ApplyFaceRegion(wnd_, Path("largest.rgp"), Path("face.bmp"), face);
  ASSERT_TRUE(result.ok()) << result.error().what;
  tkt::GdiObject<HRGN> actual(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(wnd_, actual.get()), COMPLEXREGION);
  RECT box{};
  GetRgnBox(actual.get(), &box);
  EXPECT_EQ(box.bottom, faceformat::kMaxRegionRuns / 2);
}

}  // namespace
