#include "face/display_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "faceformat/silhouette.h"

namespace tkt {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool IsCut(uint32_t p) { return (p & 0x00FFFFFF) == faceformat::kCutColor; }

// Weights in 1/4096: a pixel's two-dimensional weights then sum to 1 << 24, and 255 times that still fits in
// 32 bits. Fixed point keeps the 32-bit build (x87 floating point) quick on large faces.
constexpr int kWeightBits = 12;
constexpr uint32_t kWeightOne = 1u << kWeightBits;

struct Tap {
  int index;
  uint32_t weight;
};

// Source pixels of each scaled column (or row) with their tent weights, widened when shrinking; the weights
// of each sum to kWeightOne.
std::vector<std::vector<Tap>> Taps(int source, int scaled, int dpi) {
  const double step = double(kDesignDpi) / dpi;
  const double radius = std::max(1.0, step);
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(scaled));
  std::vector<double> w;
  for (int i = 0; i < scaled; ++i) {
    const double centre = (i + 0.5) * step - 0.5;
    const int first = std::max(0, int(std::floor(centre - radius)) + 1);
    const int last = std::min(source - 1, int(std::ceil(centre + radius)) - 1);
    w.clear();
    double sum = 0;
    for (int s = first; s <= last; ++s) {
      w.push_back(std::max(0.0, 1.0 - std::abs(s - centre) / radius));
      sum += w.back();
    }
    auto& out = taps[size_t(i)];
    uint32_t given = 0;
    for (int s = first; s <= last && sum > 0; ++s) {
      const auto weight = uint32_t(std::lround(w[size_t(s - first)] / sum * kWeightOne));
      if (weight) out.push_back({s, weight}), given += weight;
    }
    if (out.empty()) out.push_back({std::clamp(int(std::lround(centre)), 0, source - 1), 0});
    // Rounding leftovers go to the heaviest tap, so that the weights sum to one exactly.
    auto heaviest =
        std::max_element(out.begin(), out.end(), [](const Tap& a, const Tap& b) { return a.weight < b.weight; });
    heaviest->weight += kWeightOne - given;
  }
  return taps;
}

}  // namespace

int ScaledSize(int n, int dpi) {
  // The first scaled pixel whose centre (i + 1/2) * 96 / dpi lies at or after n.
  return int(-FloorDiv(-(2 * int64_t(dpi) * n - kDesignDpi), 2 * kDesignDpi));
}

int SourceIndex(int i, int dpi) { return int(FloorDiv((2 * int64_t(i) + 1) * kDesignDpi, 2 * int64_t(dpi))); }

std::vector<faceformat::RegionRun> ScaleRegionRuns(const std::vector<faceformat::RegionRun>& runs, int dpi) {
  if (dpi == kDesignDpi || dpi <= 0) return runs;
  std::vector<size_t> order(runs.size());
  std::iota(order.begin(), order.end(), size_t{0});
  const auto byRow = [&runs](size_t a, size_t b) { return runs[a].row < runs[b].row; };
  if (!std::is_sorted(order.begin(), order.end(), byRow)) std::stable_sort(order.begin(), order.end(), byRow);

  std::vector<faceformat::RegionRun> out;
  out.reserve(size_t(double(runs.size()) * std::max(1.0, double(dpi) / kDesignDpi)) + 1);
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

tkt::Result<std::vector<faceformat::RegionRect>> ScaleRegionBands(
    const std::vector<faceformat::RegionRun>& runs, const std::vector<faceformat::RegionRect>& bands, int dpi) {
  if (dpi == kDesignDpi || dpi <= 0) return bands;
  // Below 96 DPI neighbouring spans and bands may close up and have to be merged again.
  if (dpi < kDesignDpi) return faceformat::BuildRegionBands(ScaleRegionRuns(runs, dpi));
  // Scaled, an edge must stay within 32 bits as the runs' edges had to.
  const int64_t limit = int64_t(INT32_MAX) * kDesignDpi / dpi - 1;
  std::vector<faceformat::RegionRect> out;
  out.reserve(bands.size());
  for (const faceformat::RegionRect& r : bands) {
    for (int32_t edge : {r.left, r.top, r.right, r.bottom})
      if (edge > limit || edge < -limit) return tkt::Error{"a region edge is too far out at this scale"};
    out.push_back({ScaledSize(r.left, dpi), ScaledSize(r.top, dpi), ScaledSize(r.right, dpi), ScaledSize(r.bottom, dpi)});
  }
  return out;
}

faceformat::Image ScalePicture(const faceformat::Image& picture, int dpi) {
  if (dpi == kDesignDpi || dpi <= 0 || picture.width <= 0 || picture.height <= 0) return picture;
  const int w = ScaledSize(picture.width, dpi), h = ScaledSize(picture.height, dpi);
  faceformat::Image out(w, h, faceformat::kCutColor);
  const auto xs = Taps(picture.width, w, dpi), ys = Taps(picture.height, h, dpi);
  std::vector<int> sourceX(static_cast<size_t>(w));
  for (int x = 0; x < w; ++x) sourceX[size_t(x)] = SourceIndex(x, dpi);
  for (int y = 0; y < h; ++y) {
    const uint32_t* centreRow = picture.pixels.data() + size_t(SourceIndex(y, dpi)) * size_t(picture.width);
    for (int x = 0; x < w; ++x) {
      if (IsCut(centreRow[sourceX[size_t(x)]])) continue;
      uint32_t r = 0, g = 0, b = 0, sum = 0;
      for (const Tap& ty : ys[size_t(y)]) {
        const uint32_t* row = picture.pixels.data() + size_t(ty.index) * size_t(picture.width);
        for (const Tap& tx : xs[size_t(x)]) {
          const uint32_t p = row[tx.index];
          if (IsCut(p)) continue;
          const uint32_t wgt = tx.weight * ty.weight;
          r += wgt * faceformat::RedOf(p);
          g += wgt * faceformat::GreenOf(p);
          b += wgt * faceformat::BlueOf(p);
          sum += wgt;
        }
      }
      uint32_t p;
      if (sum == kWeightOne * kWeightOne) {  // no cut-away pixel among the taps
        constexpr uint32_t half = 1u << (2 * kWeightBits - 1);
        p = faceformat::Rgb(uint8_t((r + half) >> (2 * kWeightBits)), uint8_t((g + half) >> (2 * kWeightBits)),
                            uint8_t((b + half) >> (2 * kWeightBits)));
      } else if (sum > 0) {
        // At most 255.5 * sum < 2^32: no 64-bit division, which costs the 32-bit build a library call.
        p = faceformat::Rgb(uint8_t((r + sum / 2) / sum), uint8_t((g + sum / 2) / sum), uint8_t((b + sum / 2) / sum));
      } else {
        p = centreRow[sourceX[size_t(x)]] & 0x00FFFFFF;  // only the centre pixel is inside
      }
      if (p == faceformat::kCutColor) p = faceformat::Rgb(255, 255, 254);  // stays inside
      out.at(x, y) = p;
    }
  }
  return out;
}

float SceneTwipsPerPixel(int dpi) { return float(kTwipsPerInch) / float(dpi > 0 ? dpi : kDesignDpi); }

int ScaledLineWidth(int widthPx, int dpi) {
  return dpi == kDesignDpi || dpi <= 0 ? widthPx : std::max(1, ScaleFromPixels96(widthPx, dpi));
}

// Beyond any screen and far inside int, so that the pixels can still be added to (x - 2 and the like).
int ScaleFromTwips(float twips, int dpi) {
  return int(std::lround(std::clamp(twips / SceneTwipsPerPixel(dpi), -1e7f, 1e7f)));
}

FaceScene ScaleScene(FaceScene scene, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  scene.twipsPerPixel = SceneTwipsPerPixel(dpi);
  // A point names a pixel's centre, and the scaled picture puts source pixel centre c at (c + 1/2) * s - 1/2:
  // points move by (s - 1) / 2 scaled pixels; sprites, placed by their corners, do not.
  const float shift = float((dpi - kDesignDpi) * 7.5 / dpi);
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
