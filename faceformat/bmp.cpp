#include "faceformat/bmp.h"

#include <algorithm>
#include <bit>

#include "faceformat/files.h"
#include "faceformat/files_internal.h"

namespace faceformat {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

uint16_t U16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | (b[at + 1] << 8)); }
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) | (uint32_t(b[at + 3]) << 24);
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    bits = std::popcount(m);
  }
  uint8_t Get(uint32_t v) const {
    if (bits == 0) return 0;
    uint32_t x = (v & mask) >> shift;
    if (bits >= 8) return uint8_t(x >> (bits - 8));
    // Replicate the high bits so that full scale maps to 255.
    uint32_t out = 0;
    int have = 0;
    while (have < 8) {
      out = (out << bits) | x;
      have += bits;
    }
    return uint8_t(out >> (have - 8));
  }
};

bool Contiguous(uint32_t m) {
  if (m == 0) return true;
  uint32_t shifted = m >> std::countr_zero(m);
  return (shifted & (shifted + 1)) == 0;
}

Error Bad(const char* what, long long where = -1) { return Error{what, where}; }

// BI_RLE8 / BI_RLE4 pixel data into palette indices, bottom row first. Pixels that an end-of-line, a delta or
// the end of the bitmap skips keep index 0, as in the DIB that Windows decodes the file into. Anything that
// would write or move past the picture's edge, or data that ends before the end-of-bitmap mark, is an error.
Result<std::vector<uint8_t>> DecodeRle(std::span<const uint8_t> d, int bits, size_t width, size_t height,
                                       long long dataOffset) {
  std::vector<uint8_t> index(width * height, 0);
  size_t x = 0, y = 0, i = 0;
  auto put = [&](uint8_t v) { index[y * width + x++] = v; };
  for (;;) {
    if (d.size() - i < 2) return Bad("compressed pixel data truncated", dataOffset + (long long)i);
    const size_t count = d[i], code = d[i + 1];
    i += 2;
    if (count > 0) {  // a run of one index, or for 4 bits two alternating ones
      if (y >= height || count > width - x) return Bad("run past the picture's edge", dataOffset + (long long)i - 2);
      for (size_t k = 0; k < count; ++k)
        put(bits == 8 ? uint8_t(code) : uint8_t(k % 2 == 0 ? code >> 4 : code & 15));
    } else if (code == 0) {  // end of line
      if (y >= height) return Bad("line past the picture's top", dataOffset + (long long)i - 2);
      x = 0, ++y;
    } else if (code == 1) {  // end of bitmap
      return index;
    } else if (code == 2) {  // delta: right and up
      if (d.size() - i < 2) return Bad("compressed pixel data truncated", dataOffset + (long long)i);
      const size_t dx = d[i], dy = d[i + 1];
      if (dx > width - x || dy > height - y) return Bad("delta past the picture's edge", dataOffset + (long long)i - 2);
      x += dx, y += dy;
      i += 2;
    } else {  // absolute: `code` literal indices, padded to a 16-bit boundary
      const size_t bytes = bits == 8 ? code : (code + 1) / 2;
      const size_t padded = (bytes + 1) & ~size_t(1);
      if (d.size() - i < padded) return Bad("compressed pixel data truncated", dataOffset + (long long)i);
      if (y >= height || code > width - x) return Bad("run past the picture's edge", dataOffset + (long long)i - 2);
      for (size_t k = 0; k < code; ++k)
        put(bits == 8 ? d[i + k] : uint8_t(k % 2 == 0 ? d[i + k / 2] >> 4 : d[i + k / 2] & 15));
      i += padded;
    }
  }
}

Result<Image> Decode(std::span<const uint8_t> b) {
  if (b.size() < 14 + 12) return Bad("file too short for a bitmap", 0);
  if (b[0] != 'B' || b[1] != 'M') return Bad("not a bitmap file", 0);
  const uint64_t dataOffset = U32(b, 10);
  const uint32_t headerSize = U32(b, 14);
  if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 &&
      headerSize != 108 && headerSize != 124)
    return Bad("unknown bitmap header", 14);
  if (14 + uint64_t(headerSize) > b.size()) return Bad("bitmap header truncated", 14);

  int64_t width, height;
  uint32_t bitCount, compression = kBiRgb, colorsUsed = 0;
  const bool core = headerSize == 12;
  if (core) {
    width = U16(b, 18);
    height = int16_t(U16(b, 20));  // core headers are unsigned on paper; negative ones are refused below
    bitCount = U16(b, 24);
  } else {
    width = int32_t(U32(b, 18));
    height = int32_t(U32(b, 22));
    bitCount = U16(b, 28);
    compression = U32(b, 30);
    colorsUsed = U32(b, 46);
  }
  bool topDown = height < 0;
  if (topDown && core) return Bad("negative height in a core header", 20);
  if (topDown) height = -height;
  if (width <= 0 || height <= 0) return Bad("empty picture", 18);
  if (width > kMaxBmpSide || height > kMaxBmpSide || width * height > kMaxBmpPixels)
    return Bad("picture too large", 18);

  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return Bad("unsupported bits per pixel", core ? 24 : 28);

  // Channel masks for 16 and 32-bit pictures.
  uint32_t masks[3] = {0, 0, 0};
  size_t paletteAt = 14 + headerSize;
  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    if (bitCount != 16 && bitCount != 32) return Bad("bit fields need 16 or 32 bits per pixel", 30);
    size_t maskAt = 14 + 40;
    if (headerSize == 40) {
      size_t n = compression == kBiAlphaBitfields ? 16 : 12;
      if (maskAt + n > b.size()) return Bad("colour masks truncated", (long long)maskAt);
      paletteAt += n;
    }
    for (int i = 0; i < 3; ++i) masks[i] = U32(b, maskAt + 4 * size_t(i));
    for (uint32_t m : masks) {
      if (!Contiguous(m)) return Bad("colour mask with gaps", (long long)maskAt);
    }
  } else if (compression == kBiRle8 || compression == kBiRle4) {
    if (bitCount != (compression == kBiRle8 ? 8u : 4u)) return Bad("run-length coding for other bits per pixel", 30);
    if (topDown) return Bad("a run-length coded picture cannot be top-down", 22);
  } else if (compression != kBiRgb) {
    return Bad("unsupported compression", 30);
  } else if (bitCount == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else if (bitCount == 32) {
    masks[0] = 0x00FF0000, masks[1] = 0x0000FF00, masks[2] = 0x000000FF;
  }

  // Palette: as many entries as the header says, at most 2^bits; missing indices read as black.
  std::vector<uint32_t> palette;
  if (bitCount <= 8) {
    uint32_t maxColors = 1u << bitCount;
    uint32_t n = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    size_t entry = core ? 3 : 4;
    if (paletteAt + size_t(n) * entry > b.size()) return Bad("palette truncated", (long long)paletteAt);
    palette.resize(maxColors, 0);
    for (uint32_t i = 0; i < n; ++i) {
      size_t at = paletteAt + i * entry;
      palette[i] = Rgb(b[at + 2], b[at + 1], b[at]);
    }
  }

  if (dataOffset > b.size()) return Bad("pixel data truncated", 10);
  if (compression == kBiRle8 || compression == kBiRle4) {
    auto index = DecodeRle(b.subspan(size_t(dataOffset)), int(bitCount), size_t(width), size_t(height),
                           (long long)dataOffset);
    if (!index) return index.error();
    Image img(int(width), int(height), 0);
    for (size_t fileRow = 0; fileRow < size_t(height); ++fileRow) {
      const uint8_t* src = &index->at(fileRow * size_t(width));
      uint32_t* dst = &img.pixels[(size_t(height) - 1 - fileRow) * size_t(width)];
      for (size_t x = 0; x < size_t(width); ++x) dst[x] = palette[src[x]];
    }
    return img;
  }

  const uint64_t stride = ((uint64_t(width) * bitCount + 31) / 32) * 4;
  if (stride * uint64_t(height) > b.size() - dataOffset) return Bad("pixel data truncated", 10);

  Image img(int(width), int(height), 0);
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
  for (int64_t fileRow = 0; fileRow < height; ++fileRow) {
    const uint8_t* src = b.data() + dataOffset + uint64_t(fileRow) * stride;
    int y = int(topDown ? fileRow : height - 1 - fileRow);
    uint32_t* dst = &img.pixels[size_t(y) * size_t(width)];
    switch (bitCount) {
      case 1:
      case 4:
      case 8: {
        const int perByte = 8 / int(bitCount);
        const uint32_t mask = (1u << bitCount) - 1;
        for (int64_t x = 0; x < width; ++x) {
          uint8_t byte = src[x / perByte];
          int shift = 8 - int(bitCount) * (int(x % perByte) + 1);
          dst[x] = palette[(byte >> shift) & mask];
        }
        break;
      }
      case 16:
        for (int64_t x = 0; x < width; ++x) {
          uint32_t v = uint32_t(src[2 * x] | (src[2 * x + 1] << 8));
          dst[x] = Rgb(red.Get(v), green.Get(v), blue.Get(v));
        }
        break;
      case 24:
        for (int64_t x = 0; x < width; ++x) dst[x] = Rgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
        break;
      case 32:
        for (int64_t x = 0; x < width; ++x) {
          uint32_t v = uint32_t(src[4 * x]) | (uint32_t(src[4 * x + 1]) << 8) | (uint32_t(src[4 * x + 2]) << 16) |
                       (uint32_t(src[4 * x + 3]) << 24);
          dst[x] = Rgb(red.Get(v), green.Get(v), blue.Get(v));
        }
        break;
    }
  }
  return img;
}

}  // namespace

Result<Image> DecodeBmp(std::span<const uint8_t> bytes) {
  return detail::NoThrow([&] { return Decode(bytes); });
}

Result<Image> ReadBmpFile(const std::filesystem::path& path) {
  return detail::NoThrow([&]() -> Result<Image> {
    auto bytes = ReadWholeFile(path, kMaxBmpFileBytes);
    if (!bytes) return bytes.error();
    const std::string& s = *bytes;
    return Decode(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
  });
}

namespace {

void Put16(std::vector<uint8_t>& o, uint32_t v) {
  o.push_back(uint8_t(v));
  o.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& o, uint32_t v) {
  Put16(o, v & 0xFFFF);
  Put16(o, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Image& image) {
  // An inconsistent picture is written as an empty one rather than read out of bounds.
  const bool sane = image.width > 0 && image.height > 0 &&
                    image.pixels.size() == size_t(image.width) * size_t(image.height);
  const uint32_t w = sane ? uint32_t(image.width) : 0, h = sane ? uint32_t(image.height) : 0;
  const uint32_t stride = (w * 3 + 3) & ~3u;
  const uint32_t imageSize = stride * h;
  std::vector<uint8_t> o;
  o.reserve(54 + imageSize);
  // BITMAPFILEHEADER
  o.push_back('B'), o.push_back('M');
  Put32(o, 54 + imageSize);
  Put32(o, 0);
  Put32(o, 54);
  // BITMAPINFOHEADER, 72 dpi
  Put32(o, 40);
  Put32(o, w);
  Put32(o, h);
  Put16(o, 1);
  Put16(o, 24);
  Put32(o, kBiRgb);
  Put32(o, imageSize);
  Put32(o, 2835);
  Put32(o, 2835);
  Put32(o, 0);
  Put32(o, 0);
  for (uint32_t row = 0; row < h; ++row) {
    const uint32_t* src = &image.pixels[size_t(h - 1 - row) * w];
    for (uint32_t x = 0; x < w; ++x) {
      o.push_back(BlueOf(src[x]));
      o.push_back(GreenOf(src[x]));
      o.push_back(RedOf(src[x]));
    }
    for (uint32_t pad = w * 3; pad < stride; ++pad) o.push_back(0);
  }
  return o;
}

Status WriteBmpFile(const std::filesystem::path& path, const Image& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > kMaxBmpSide || image.height > kMaxBmpSide ||
      image.pixels.size() != size_t(image.width) * size_t(image.height))
    return Error{"picture size not writable"};
  return detail::NoThrow([&] {
    std::vector<uint8_t> bytes = EncodeBmp24(image);
    return WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  });
}

}  // namespace faceformat
