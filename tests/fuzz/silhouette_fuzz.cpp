// Silhouette and runs on decoded pictures (or, when the bytes are no bitmap, on a small picture made from
// them): the runs cover exactly the pixels that are not pure white, each run as long as it can be, in the
// maker's order; the silhouette is black exactly there; and the runs written as a region file read back and
// build bands over the same pixels.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "faceformat/bmp.h"
#include "faceformat/region.h"
#include "faceformat/silhouette.h"
#include "fuzz_check.h"

using faceformat::Image;
using faceformat::RegionRun;

namespace {

constexpr size_t kMaxPixels = size_t(1) << 16;  // a 180 x 180 face fits; bigger ones only slow the search

bool IsCut(uint32_t p) { return (p & 0x00FFFFFF) == 0x00FFFFFF; }

// Few colours, so that white and near-white both turn up often; the top byte varies too.
Image PictureFromBytes(const uint8_t* data, size_t size) {
  const int w = 1 + data[0] % 40, h = 1 + data[1] % 40;
  Image img(w, h);
  static const uint32_t kColors[] = {0x00FFFFFF, 0xFFFFFFFF, 0x00FFFFFE, 0x00FEFFFF, 0x00000000, 0x7F102030};
  for (size_t i = 0; i < img.pixels.size(); ++i) {
    const uint8_t b = 2 + i < size ? data[2 + i] : 0;
    img.pixels[i] = kColors[b % 6];
  }
  return img;
}

void CheckRuns(const Image& img, const std::vector<RegionRun>& runs) {
  std::vector<uint8_t> covered(img.pixels.size(), 0);
  int lastRow = -1, lastLeft = 0;
  for (const RegionRun& r : runs) {
    FUZZ_CHECK(r.row >= 0 && r.row < img.height);
    FUZZ_CHECK(r.length >= 1 && r.left >= 0 && int64_t(r.left) + r.length <= img.width);
    // Rows top to bottom; within a row right to left.
    FUZZ_CHECK(r.row > lastRow || (r.row == lastRow && r.left + r.length < lastLeft));
    lastRow = r.row, lastLeft = r.left;
    for (int x = r.left; x < r.left + r.length; ++x) {
      FUZZ_CHECK(!IsCut(img.at(x, r.row)));
      covered[size_t(r.row) * size_t(img.width) + size_t(x)] = 1;
    }
    // As long as it can be: white or the picture's edge on both sides.
    FUZZ_CHECK(r.left == 0 || IsCut(img.at(r.left - 1, r.row)));
    FUZZ_CHECK(r.left + r.length == img.width || IsCut(img.at(r.left + r.length, r.row)));
  }
  for (size_t i = 0; i < img.pixels.size(); ++i) FUZZ_CHECK(bool(covered[i]) == !IsCut(img.pixels[i]));
}

void CheckBands(const Image& img, const std::vector<RegionRun>& runs) {
  auto bands = faceformat::BuildRegionBands(runs);
  FUZZ_CHECK(bands.ok());
  std::vector<uint8_t> covered(img.pixels.size(), 0);
  for (const faceformat::RegionRect& r : *bands) {
    FUZZ_CHECK(r.left >= 0 && r.right <= img.width && r.top >= 0 && r.bottom <= img.height);
    FUZZ_CHECK(r.left < r.right && r.top < r.bottom);
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        uint8_t& c = covered[size_t(y) * size_t(img.width) + size_t(x)];
        FUZZ_CHECK(c == 0);  // bands never overlap
        c = 1;
      }
    }
  }
  for (size_t i = 0; i < img.pixels.size(); ++i) FUZZ_CHECK(bool(covered[i]) == !IsCut(img.pixels[i]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  auto decoded = faceformat::DecodeBmp(std::span<const uint8_t>(data, size));
  const Image img = decoded ? std::move(*decoded) : PictureFromBytes(data, size);
  if (img.pixels.size() > kMaxPixels) return 0;

  const Image black = faceformat::MakeSilhouette(img);
  FUZZ_CHECK(black.width == img.width && black.height == img.height);
  for (size_t i = 0; i < img.pixels.size(); ++i) {
    const uint32_t want = (img.pixels[i] & 0xFF000000) | (IsCut(img.pixels[i]) ? 0x00FFFFFF : 0);
    FUZZ_CHECK(black.pixels[i] == want);
  }

  const std::vector<RegionRun> runs = faceformat::MakeRegionRuns(img);
  CheckRuns(img, runs);
  // The silhouette has the same outline.
  FUZZ_CHECK(faceformat::MakeRegionRuns(black) == runs);
  if (runs.empty()) return 0;  // an all-white picture makes an empty file, which readers refuse

  auto read = faceformat::ParseRegionRuns(faceformat::FormatRegionRuns(runs));
  FUZZ_CHECK(read.ok() && *read == runs);
  CheckBands(img, runs);
  return 0;
}
