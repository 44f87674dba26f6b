#include "faceformat/bmp.h"

#include <gtest/gtest.h>

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
  Put(o, uint32_t(s.palette.size()), 4);
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
  EXPECT_FALSE(patched(30, 1, 4).ok());           // RLE
  EXPECT_FALSE(patched(10, 0xFFFFFFF0u, 4).ok());  // pixel data beyond the end
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
