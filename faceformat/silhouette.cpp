#include "faceformat/silhouette.h"

#include <algorithm>

namespace faceformat {

namespace {

bool IsCut(uint32_t pixel) { return (pixel & 0x00FFFFFF) == kCutColor; }

}  // namespace

Image MakeSilhouette(const Image& picture) {
  Image out = picture;
  for (uint32_t& p : out.pixels) {
    // The reserved top byte stays as it was.
    p = (p & 0xFF000000) | (IsCut(p) ? kCutColor : 0);
  }
  return out;
}

Image FaceFromAlphaPicture(const Image& argb) {
  Image out = argb;
  const bool transparent =
      std::any_of(argb.pixels.begin(), argb.pixels.end(), [](uint32_t p) { return (p >> 24) != 0xFF; });
  for (uint32_t& p : out.pixels) {
    const uint32_t alpha = p >> 24;
    p &= 0x00FFFFFF;
    if (alpha < 128)
      p = kCutColor;
    else if (transparent && p == kCutColor)
      p = Rgb(255, 255, 254);
  }
  return out;
}

std::vector<RegionRun> MakeRegionRuns(const Image& picture) {
  std::vector<RegionRun> runs;
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() < size_t(picture.width) * size_t(picture.height))
    return runs;
  for (int y = 0; y < picture.height; ++y) {
    const size_t rowStart = runs.size();
    const uint32_t* px = &picture.pixels[size_t(y) * size_t(picture.width)];
    int x = 0;
    while (x < picture.width) {
      while (x < picture.width && IsCut(px[x])) ++x;
      if (x == picture.width) break;
      int left = x;
      while (x < picture.width && !IsCut(px[x])) ++x;
      runs.push_back(RegionRun{left, y, x - left});
    }
    // Within a row the runs go right to left.
    std::reverse(runs.begin() + std::ptrdiff_t(rowStart), runs.end());
  }
  return runs;
}

}  // namespace faceformat
