#include "faceformat/bmp.h"
#include "faceformat/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace faceformat {
namespace {

struct BmpSpec {
  int width = 5, height = 3;
  int bits = 24;
  bool topDown = false;
  uint32_t compression = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // BI_BITFIELDS masks after the header
  int colorsUsed = -1;            // biClrUsed; -1 writes the palette's size
};

void Put(std::vector<uint8_t>& o, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) o.push_back(uint8_t(v >> (8 * i)));
}

// `values` holds per pixel, top row first: a palette index, or the raw pixel value for 16/24/32 bits.
std::vector<uint8_t> MakeBmp(const BmpSpec& s, const std::vector<uint32_t>& values) {
  const int stride = (s.width * s.bits + 31) / 32 * 4;
  const uint32_t offset = 14 + 40 + uint32_t(s.masks.size() * 4 + s.palette.size() * 4);
  std::vector<uint8_t> o;
  o.push_back('B'), o.push_back('M');
  Put(o, offset + uint32_t(stride * s.height), 4);
  Put(o, 0, 4);
  Put(o, offset, 4);
  Put(o, 40, 4);
  Put(o, uint32_t(s.width), 4);
  Put(o, uint32_t(s.topDown ? -s.height : s.height), 4);
  Put(o, 1, 2);
  Put(o, uint32_t(s.bits), 2);
  Put(o, s.compression, 4);
  Put(o, uint32_t(stride * s.height), 4);
  Put(o, 0, 4), Put(o, 0, 4);
  Put(o, s.colorsUsed < 0 ? uint32_t(s.palette.size()) : uint32_t(s.colorsUsed), 4);
  Put(o, 0, 4);
  for (uint32_t m : s.masks) Put(o, m, 4);
  for (uint32_t c : s.palette) Put(o, c, 4);  // B G R 0 is the little-endian 0x00RRGGBB
  for (int r = 0; r < s.height; ++r) {
    int y = s.topDown ? r : s.height - 1 - r;
    std::vector<uint8_t> row(size_t(stride), 0);
    for (int x = 0; x < s.width; ++x) {
      uint32_t v = values[size_t(y * s.width + x)];
      if (s.bits < 8) {
        int perByte = 8 / s.bits;
        row[size_t(x / perByte)] |= uint8_t(v << (8 - s.bits * (x % perByte + 1)));
      } else {
        for (int b = 0; b < s.bits / 8; ++b) row[size_t(x * s.bits / 8 + b)] = uint8_t(v >> (8 * b));
      }
    }
    o.insert(o.end(), row.begin(), row.end());
  }
  return o;
}

TEST(BmpDecode, EveryDepthBothOrientations) {
  std::mt19937 rng(3);
  for (int bits : {1, 4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      BmpSpec s;
      s.bits = bits, s.topDown = topDown;
      s.width = 13, s.height = 4;  // odd width: rows need padding
      std::vector<uint32_t> values(size_t(s.width * s.height));
      Image want(s.width, s.height);
      if (bits <= 8) {
        for (int i = 0; i < (1 << bits); ++i) s.palette.push_back(rng() & 0xFFFFFF);
        for (size_t i = 0; i < values.size(); ++i) {
          values[i] = rng() % s.palette.size();
          want.pixels[i] = s.palette[values[i]];
        }
      } else {
        for (size_t i = 0; i < values.size(); ++i) {
          values[i] = rng() & (bits == 24 ? 0xFFFFFF : 0xFFFFFFFF);
          want.pixels[i] = values[i] & 0xFFFFFF;  // a 32-bit picture's fourth byte is not colour
        }
      }
      auto got = DecodeBmp(MakeBmp(s, values));
      ASSERT_TRUE(got.ok()) << bits << " bits: " << got.error().what;
      EXPECT_EQ(*got, want) << bits << " bits, top-down " << topDown;
    }
  }
}

TEST(BmpDecode, BitFields) {
  BmpSpec s;
  s.width = 2, s.height = 1, s.bits = 32, s.compression = 3;
  s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  auto got = DecodeBmp(MakeBmp(s, {0xFF123456, 0x00ABCDEF}));
  ASSERT_TRUE(got.ok()) << got.error().what;
  EXPECT_EQ(got->pixels, (std::vector<uint32_t>{0x123456, 0xABCDEF}));

  s.bits = 16;
  s.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5
  got = DecodeBmp(MakeBmp(s, {0xFFFF, 0x07E0}));
  ASSERT_TRUE(got.ok()) << got.error().what;
  EXPECT_EQ(got->pixels, (std::vector<uint32_t>{0xFFFFFF, 0x00FF00}));
}

// A biClrUsed of 0 means a full palette of 2^bits entries, not none.
TEST(BmpDecode, ZeroColoursUsedMeansTheWholePalette) {
  BmpSpec s;
  s.width = 3, s.height = 1, s.bits = 4, s.colorsUsed = 0;
  s.palette.assign(16, 0);
  s.palette[1] = 0x112233, s.palette[15] = 0xFFEEDD;
  auto got = DecodeBmp(MakeBmp(s, {15, 0, 1}));
  ASSERT_TRUE(got.ok()) << got.error().what;
  EXPECT_EQ(got->pixels, (std::vector<uint32_t>{0xFFEEDD, 0, 0x112233}));
}

// Without bit fields, 16 bits are 5-5-5 with the top bit unused.
TEST(BmpDecode, SixteenBitsWithoutMasksAreFiveFiveFive) {
  BmpSpec s;
  s.width = 4, s.height = 1, s.bits = 16;
  auto got = DecodeBmp(MakeBmp(s, {0x7C00, 0x03E0, 0x001F, 0x8000 | 0x4210}));
  ASSERT_TRUE(got.ok()) << got.error().what;
  EXPECT_EQ(got->pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x848484}));
}

TEST(BmpDecode, ShortPaletteReadsMissingIndicesAsBlack) {
  BmpSpec s;
  s.width = 3, s.height = 1, s.bits = 8;
  s.palette = {0x112233, 0x445566};
  auto got = DecodeBmp(MakeBmp(s, {1, 0, 200}));
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(got->pixels, (std::vector<uint32_t>{0x445566, 0x112233, 0}));
}

TEST(BmpDecode, BadFilesAreErrors) {
  BmpSpec s;
  s.bits = 8;
  s.palette.assign(256, 0x808080);
  const std::vector<uint8_t> good = MakeBmp(s, std::vector<uint32_t>(15, 7));
  ASSERT_TRUE(DecodeBmp(good).ok());
  for (size_t n = 0; n < good.size(); ++n) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(n));
    EXPECT_FALSE(DecodeBmp(cut).ok()) << "truncated to " << n;
  }
  auto patched = [&](size_t at, uint32_t v, int bytes) {
    std::vector<uint8_t> b = good;
    for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
    return DecodeBmp(b);
  };
  EXPECT_FALSE(patched(0, 'X', 1).ok());
  EXPECT_FALSE(patched(14, 41, 4).ok());          // unknown header size
  EXPECT_FALSE(patched(18, 0, 4).ok());           // zero width
  EXPECT_FALSE(patched(18, uint32_t(-5), 4).ok());
  EXPECT_FALSE(patched(22, 0x80000000u, 4).ok());  // height that cannot be negated
  EXPECT_FALSE(patched(18, 100000, 4).ok());      // huge: refused before allocating
  EXPECT_FALSE(patched(18, 16384, 4).ok());       // allowed size, but the data is not in the file
  EXPECT_FALSE(patched(28, 2, 2).ok());           // 2 bits per pixel
  EXPECT_FALSE(patched(30, 1, 4).ok());           // read as RLE8, the first run is past the right edge
  EXPECT_FALSE(patched(30, 4, 4).ok());           // JPEG
  EXPECT_FALSE(patched(10, 0xFFFFFFF0u, 4).ok());  // pixel data beyond the end
}

// A run-length coded file: palette 0 red, 1 green, 2 blue; `data` is the pixel data, bottom row first.
std::vector<uint8_t> MakeRle(int width, int height, int bits, const std::vector<uint8_t>& data) {
  BmpSpec s;
  s.width = width, s.height = 0, s.bits = bits, s.compression = bits == 8 ? 1 : 2;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF};
  std::vector<uint8_t> o = MakeBmp(s, {});
  for (int i = 0; i < 4; ++i) o[22 + size_t(i)] = uint8_t(uint32_t(height) >> (8 * i));
  o.insert(o.end(), data.begin(), data.end());
  return o;
}

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF;

// Pixels that an end of line, a delta or the end of the bitmap skips are palette entry 0, as LoadImage into a
// DIB section gives them.
TEST(BmpDecode, RunLengthEscapes) {
  struct Case {
    int bits;
    std::vector<uint8_t> data;
    std::vector<uint32_t> want;  // 4 x 3, top row first
  } cases[] = {
      // Bottom row: one green, a delta over two, end of line. Middle: three literal indices (odd, padded), end
      // of line. Top row: skipped by the end of the bitmap.
      {8, {1, 1, 0, 2, 2, 0, 0, 0, 0, 3, 2, 1, 2, 0, 0, 0, 0, 1}, {R, R, R, R, B, G, B, R, G, R, R, R}},
      // A delta up one row and right three, then a run of four to fill the top row.
      {8, {0, 2, 3, 1, 1, 2, 0, 0, 4, 1, 0, 1}, {G, G, G, G, R, R, R, B, R, R, R, R}},
      // 4 bits: a run alternates the two nibbles; three literal nibbles fill two bytes.
      {4, {4, 0x12, 0, 0, 0, 3, 0x21, 0x20, 0, 0, 3, 0x11, 0, 1}, {G, G, G, R, B, G, B, R, G, B, G, B}},
  };
  for (const Case& c : cases) {
    auto got = DecodeBmp(MakeRle(4, 3, c.bits, c.data));
    ASSERT_TRUE(got.ok()) << got.error().what;
    EXPECT_EQ(got->pixels, c.want) << c.bits << " bits";
  }
}

TEST(BmpDecode, RunLengthPastTheEdgeOrTruncatedIsAnError) {
  const std::vector<uint8_t> bad[] = {
      {5, 1, 0, 1},                      // a run wider than the picture
      {3, 1, 2, 1, 0, 1},                // a run that ends past the right edge
      {2, 1, 0, 3, 1, 1, 1, 0, 0, 1},    // literal indices past the right edge
      {0, 2, 5, 0, 0, 1},                // a delta past the right edge
      {0, 2, 0, 4, 0, 1},                // a delta past the top
      {0, 0, 0, 0, 0, 0, 1, 1, 0, 1},    // a run above the top row
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 1},    // an end of line above the top row
      {4, 1, 0, 0},                      // no end of the bitmap
      {0, 3, 1, 1},                      // literal indices cut short
  };
  for (const auto& data : bad) EXPECT_FALSE(DecodeBmp(MakeRle(4, 3, 8, data)).ok()) << ::testing::PrintToString(data);
  const std::vector<uint8_t> good = MakeRle(4, 3, 8, {4, 1, 0, 0, 0, 3, 2, 1, 2, 0, 0, 1});
  ASSERT_TRUE(DecodeBmp(good).ok());
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(DecodeBmp(std::span(good.data(), n)).ok()) << "truncated to " << n;
  std::vector<uint8_t> topDown = MakeRle(4, 3, 8, {0, 1});
  topDown[22] = uint8_t(-3), topDown[23] = topDown[24] = topDown[25] = 0xFF;
  EXPECT_FALSE(DecodeBmp(topDown).ok());
  std::vector<uint8_t> wrongDepth = MakeRle(4, 3, 8, {0, 1});
  wrongDepth[28] = 4;  // RLE8 needs 8 bits per pixel
  EXPECT_FALSE(DecodeBmp(wrongDepth).ok());
}

// Made by ImageMagick: kaichu at 8 bits run-length coded, and the same stored uncompressed. kaichu in 16
// colours (ImageMagick, uncompressed), and the same run-length coded at 4 bits with literal runs of odd length,
// deltas and early ends of line, palette entries 0 and 13 swapped (ImageMagick writes no RLE4; it and Wine's
// LoadImage both read this file as the uncompressed one).
TEST(BmpDecode, RunLengthFilesMatchTheSamePicturesStoredUncompressed) {
  const std::filesystem::path data = std::filesystem::path(TKT_SOURCE_DIR) / "tests" / "faceformat" / "data";
  for (auto [coded, plain, compression] : {std::tuple{"kaichu_rle8.bmp", "kaichu_rle8_plain.bmp", 1},
                                           std::tuple{"kaichu16_rle4.bmp", "kaichu16.bmp", 2}}) {
    auto bytes = ReadWholeFile(data / coded);
    ASSERT_TRUE(bytes.ok()) << coded;
    ASSERT_EQ((*bytes)[30], compression) << coded;
    auto a = ReadBmpFile(data / coded);
    auto b = ReadBmpFile(data / plain);
    ASSERT_TRUE(a.ok() && b.ok()) << coded;
    EXPECT_EQ(a->width, 180);
    EXPECT_TRUE(*a == *b) << coded;
  }
}

TEST(BmpDecode, SizeIsCheckedBeforeAllocating) {
  // An end of the bitmap at once makes the largest picture from a few bytes.
  EXPECT_TRUE(DecodeBmp(MakeRle(4096, int(kMaxBmpPixels / 4096), 8, {0, 1})).ok());
  EXPECT_EQ(DecodeBmp(MakeRle(4096, int(kMaxBmpPixels / 4096) + 1, 8, {0, 1})).error().what, "picture too large");
  EXPECT_EQ(DecodeBmp(MakeRle(kMaxBmpSide + 1, 1, 8, {0, 1})).error().what, "picture too large");
}

TEST(BmpEncode, BottomUp24BitFileThatReadsBack) {
  Image img(3, 2);
  img.at(0, 0) = Rgb(255, 0, 0);
  img.at(2, 1) = Rgb(1, 2, 3);
  const std::vector<uint8_t> b = EncodeBmp24(img);
  ASSERT_EQ(b.size(), 54u + 2 * 12);
  // The first stored row is the picture's bottom row: white, white, (1,2,3) as B G R, then padding.
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54, b.begin() + 66),
            (std::vector<uint8_t>{255, 255, 255, 255, 255, 255, 3, 2, 1, 0, 0, 0}));
  auto back = DecodeBmp(b);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(*back, img);
}

}  // namespace
}  // namespace faceformat
