// The maker's picture area under Windows: loading, ReadImagePixels / WriteImagePixels, and whole makings.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

#include "designer/rgpmaker_model.h"
#include "designer/win/bitmap_op.h"
#include "designer/win/maker_picture.h"
#include "faceformat/bmp.h"
#include "faceformat/files.h"
#include "faceformat/silhouette.h"
#include "files_fakes.h"

namespace designer {
namespace {

namespace fs = std::filesystem;
using faceformat::Image;

void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, uint16_t(v));
  Put16(b, uint16_t(v >> 16));
}

// A BMP of any uncompressed depth: palette pictures take indices, 24/32-bit ones take colours.
std::vector<uint8_t> MakeBmp(int w, int h, int bits, bool topDown, std::mt19937& rng) {
  const int colours = bits <= 8 ? (1 << bits) : 0;
  const int stride = ((w * bits + 31) / 32) * 4;
  std::vector<uint8_t> b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, uint32_t(14 + 40 + colours * 4 + stride * h));
  Put32(b, 0);
  Put32(b, uint32_t(14 + 40 + colours * 4));
  Put32(b, 40);
  Put32(b, uint32_t(w));
  Put32(b, uint32_t(topDown ? -h : h));
  Put16(b, 1);
  Put16(b, uint16_t(bits));
  Put32(b, 0);  // BI_RGB
  Put32(b, uint32_t(stride * h));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, uint32_t(colours));
  Put32(b, 0);
  for (int i = 0; i < colours; ++i) Put32(b, rng() & 0x00FFFFFF);
  if (colours >= 2) {  // keep pure white and black among the colours
    std::memcpy(&b[54], "\xFF\xFF\xFF\x00", 4);
    std::memcpy(&b[58], "\x00\x00\x00\x00", 4);
  }
  for (int row = 0; row < h; ++row) {
    std::vector<uint8_t> line(size_t(stride), 0);
    for (int x = 0; x < w; ++x) {
      const uint32_t r = rng();
      switch (bits) {
        case 1: line[size_t(x / 8)] |= uint8_t((r & 1) << (7 - x % 8)); break;
        case 4: line[size_t(x / 2)] |= uint8_t((r & 15) << (x % 2 ? 0 : 4)); break;
        case 8: line[size_t(x)] = uint8_t(r); break;
        case 24:
          for (int k = 0; k < 3; ++k) line[size_t(x * 3 + k)] = (r & 7) == 0 ? 0xFF : uint8_t(r >> (8 * k));
          break;
        case 32:
          for (int k = 0; k < 3; ++k) line[size_t(x * 4 + k)] = (r & 7) == 0 ? 0xFF : uint8_t(r >> (8 * k));
          break;
      }
    }
    b.insert(b.end(), line.begin(), line.end());
  }
  return b;
}

Image Rgb24(Image img) {
  for (uint32_t& p : img.pixels) p &= 0x00FFFFFF;
  return img;
}

class MakerWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("rgpmaker_win_" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST_F(MakerWinTest, ReadImagePixelsMatchesTheBmpReaderAtEveryDepth) {
  std::mt19937 rng(7);
  for (int bits : {1, 4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(::testing::Message() << bits << " bits, top-down " << topDown);
      const int w = 37, h = 23;  // odd sizes: row padding matters
      auto bytes = MakeBmp(w, h, bits, topDown, rng);
      const fs::path p = dir / ("pic" + std::to_string(bits) + (topDown ? "t" : "b") + ".bmp");
      ASSERT_TRUE(faceformat::WriteFileAtomic(p, std::string(bytes.begin(), bytes.end())).ok());
      auto decoded = faceformat::DecodeBmp(bytes);
      ASSERT_TRUE(decoded.ok()) << decoded.error().what;

      // Through the maker's picture area, and (bottom-up files, which Wine's loader reads) the platform loader.
      WinMakerPicture picture;
      ASSERT_TRUE(picture.Load(p.wstring()));
      EXPECT_EQ(picture.Width(), w);
      EXPECT_EQ(picture.Height(), h);
      std::vector<uint32_t> pixels;
      ASSERT_EQ(ReadImagePixels(picture.bitmap(), pixels), w * h);
      EXPECT_EQ(pixels.size(), size_t(w * h + 1));
      EXPECT_EQ(Rgb24(ImageFromPixelArray(w, h, pixels)), Rgb24(*decoded));
      if (topDown) continue;
      HBITMAP loaded = static_cast<HBITMAP>(
          LoadImageW(nullptr, p.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
      ASSERT_NE(loaded, nullptr);
      ASSERT_EQ(ReadImagePixels(loaded, pixels), w * h);
      EXPECT_EQ(Rgb24(ImageFromPixelArray(w, h, pixels)), Rgb24(*decoded));
      DeleteObject(loaded);
    }
  }
}

TEST_F(MakerWinTest, WriteImagePixelsPutsTheArrayBack) {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 5, 4);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(bmp, nullptr);
  std::vector<uint32_t> in(21);
  for (size_t i = 0; i < 20; ++i) in[i] = uint32_t(i * 0x0A0B0C) & 0x00FFFFFF;
  EXPECT_EQ(WriteImagePixels(bmp, in), 0);
  std::vector<uint32_t> out;
  EXPECT_EQ(ReadImagePixels(bmp, out), 20);
  for (size_t i = 0; i < 20; ++i) EXPECT_EQ(out[i] & 0x00FFFFFF, in[i]) << i;
  DeleteObject(bmp);

  std::vector<uint32_t> none;
  EXPECT_EQ(ReadImagePixels(nullptr, none), -1);
  EXPECT_EQ(WriteImagePixels(nullptr, in), -1);
}

class NullWindows : public MakerWindows {
 public:
  void DrawRunLines(const std::vector<faceformat::RegionRun>&) override {}
  void ShowDesigner() override {}
  void HideMaker() override {}
};

TEST_F(MakerWinTest, SamplePicturesGiveTheShippedRegionFilesAndTheSilhouetteShows) {
  const fs::path art = fs::path(TKT_SOURCE_DIR) / "art" / "generated";
  for (const char* name : {"kaichu", "army", "hato", "meca"}) {
    SCOPED_TRACE(name);
    const fs::path bmp = art / (std::string(name) + ".bmp");
    ASSERT_TRUE(fs::exists(bmp)) << bmp;
    testing::FilesFixture f;
    NullWindows windows;
    WinMakerPicture picture;
    RgpMakerModel maker(f.form, picture, windows, f.saves, f.logged);
    maker.Text1 = (dir / (std::string(name) + ".rgp")).wstring();
    maker.Text2 = bmp.wstring();
    maker.Command1_Click();
    ASSERT_EQ(f.logged.shown.size(), 1u);
    EXPECT_EQ(f.logged.shown[0].text, kRgpMade);
    auto made = faceformat::ReadWholeFile(dir / (std::string(name) + ".rgp"));
    auto shipped = faceformat::ReadWholeFile(art / (std::string(name) + ".rgp"));
    ASSERT_TRUE(made.ok());
    ASSERT_TRUE(shipped.ok());
    EXPECT_TRUE(*made == *shipped);

    auto source = faceformat::ReadBmpFile(bmp);
    ASSERT_TRUE(source.ok());
    std::vector<uint32_t> shown;
    ASSERT_GT(picture.ReadPixels(shown), 0);
    EXPECT_EQ(Rgb24(ImageFromPixelArray(picture.Width(), picture.Height(), shown)),
              Rgb24(faceformat::MakeSilhouette(*source)));
  }
}

}  // namespace
}  // namespace designer
