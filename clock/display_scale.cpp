#include "clock/display_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "faceformat/silhouette.h"

namespace tkt {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool IsCut(uint32_t p) { return (p & 0x00FFFFFF) == faceformat::kCutColor; }

struct Tap {
  int index;
  double weight;
};

// Source pixels of each scaled column (or row) with their tent weights, widened when shrinking.
std::vector<std::vector<Tap>> Taps(int source, int scaled, int dpi) {
  const double step = double(kBaseDpi) / dpi;
  const double radius = std::max(1.0, step);
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(scaled));
  for (int i = 0; i < scaled; ++i) {
    const double centre = (i + 0.5) * step - 0.5;
    const int first = std::max(0, int(std::floor(centre - radius)) + 1);
    const int last = std::min(source - 1, int(std::ceil(centre + radius)) - 1);
    for (int s = first; s <= last; ++s) {
      const double w = 1.0 - std::abs(s - centre) / radius;
      if (w > 0) taps[size_t(i)].push_back({s, w});
    }
  }
  return taps;
}

}  // namespace

int ScaledSize(int n, int dpi) {
  // The first scaled pixel whose centre (i + 1/2) * 96 / dpi lies at or after n.
  return int(-FloorDiv(-(2 * int64_t(dpi) * n - kBaseDpi), 2 * kBaseDpi));
}

int SourceIndex(int i, int dpi) { return int(FloorDiv((2 * int64_t(i) + 1) * kBaseDpi, 2 * int64_t(dpi))); }

std::vector<faceformat::RegionRun> ScaleRegionRuns(const std::vector<faceformat::RegionRun>& runs, int dpi) {
  if (dpi == kBaseDpi || dpi <= 0) return runs;
  std::vector<size_t> order(runs.size());
  std::iota(order.begin(), order.end(), size_t{0});
  const auto byRow = [&runs](size_t a, size_t b) { return runs[a].row < runs[b].row; };
  if (!std::is_sorted(order.begin(), order.end(), byRow)) std::stable_sort(order.begin(), order.end(), byRow);

  std::vector<faceformat::RegionRun> out;
  out.reserve(size_t(double(runs.size()) * std::max(1.0, double(dpi) / kBaseDpi)) + 1);
  for (size_t begin = 0; begin < order.size();) {
    const int row = runs[order[begin]].row;
    size_t end = begin;
    while (end < order.size() && runs[order[end]].row == row) ++end;
    const int firstRow = ScaledSize(row, dpi), endRow = ScaledSize(row + 1, dpi);
    for (int y = firstRow; y < endRow; ++y) {
      for (size_t k = begin; k < end; ++k) {
        const faceformat::RegionRun& r = runs[order[k]];
        const int left = ScaledSize(r.left, dpi), right = ScaledSize(r.left + r.length, dpi);
        if (right > left) out.push_back({left, y, right - left});
      }
    }
    begin = end;
  }
  return out;
}

faceformat::Image ScalePicture(const faceformat::Image& picture, int dpi) {
  if (dpi == kBaseDpi || dpi <= 0 || picture.width <= 0 || picture.height <= 0) return picture;
  const int w = ScaledSize(picture.width, dpi), h = ScaledSize(picture.height, dpi);
  faceformat::Image out(w, h, faceformat::kCutColor);
  const auto xs = Taps(picture.width, w, dpi), ys = Taps(picture.height, h, dpi);
  for (int y = 0; y < h; ++y) {
    const int sy = SourceIndex(y, dpi);
    for (int x = 0; x < w; ++x) {
      if (IsCut(picture.at(SourceIndex(x, dpi), sy))) continue;
      double r = 0, g = 0, b = 0, sum = 0;
      for (const Tap& ty : ys[size_t(y)])
        for (const Tap& tx : xs[size_t(x)]) {
          const uint32_t p = picture.at(tx.index, ty.index);
          if (IsCut(p)) continue;
          const double wgt = tx.weight * ty.weight;
          r += wgt * faceformat::RedOf(p);
          g += wgt * faceformat::GreenOf(p);
          b += wgt * faceformat::BlueOf(p);
          sum += wgt;
        }
      uint32_t p = faceformat::Rgb(uint8_t(std::lround(r / sum)), uint8_t(std::lround(g / sum)),
                                   uint8_t(std::lround(b / sum)));
      if (p == faceformat::kCutColor) p = faceformat::Rgb(255, 255, 254);  // stays inside
      out.at(x, y) = p;
    }
  }
  return out;
}

float SceneTwipsPerPixel(int dpi) { return float(kTwipsPerInch) / float(dpi > 0 ? dpi : kBaseDpi); }

int ScaledLineWidth(int widthPx, int dpi) {
  if (dpi == kBaseDpi || dpi <= 0) return widthPx;
  return std::max(1, int(std::lround(double(widthPx) * dpi / kBaseDpi)));
}

int ScaledPixels(float twips, int dpi) { return int(std::lround(twips / SceneTwipsPerPixel(dpi))); }

int ReadoutFontHeight(double points, int dpi) { return -std::max(1, PixelsFromPoints(points, dpi)); }

FaceScene ScaleScene(FaceScene scene, int dpi) {
  if (dpi <= 0) dpi = kBaseDpi;
  scene.twipsPerPixel = SceneTwipsPerPixel(dpi);
  // A point names a pixel's centre, and the scaled picture puts source pixel centre c at (c + 1/2) * s - 1/2:
  // points move by (s - 1) / 2 scaled pixels; sprites, placed by their corners, do not.
  const float shift = float((dpi - kBaseDpi) * 7.5 / dpi);
  for (SceneLine& hand : scene.hands) {
    hand.x1 += shift, hand.y1 += shift, hand.x2 += shift, hand.y2 += shift;
    hand.widthPx = float(ScaledLineWidth(int(hand.widthPx), dpi));
  }
  for (auto* circles : {&scene.frames, &scene.dots})
    for (SceneCircle& c : *circles) c.left += shift, c.top += shift;
  for (SceneCircle& frame : scene.frames) frame.strokePx = float(ScaledLineWidth(int(frame.strokePx), dpi));
  return scene;
}

}  // namespace tkt
