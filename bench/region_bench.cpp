// Region file to bands: the sort-and-sweep build against a one-record-at-a-time union, and the maker's
// silhouette + runs on a 700 x 700 picture.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>

#include "faceformat/region.h"
#include "faceformat/silhouette.h"

namespace {

using faceformat::RegionRect;
using faceformat::RegionRun;

// Random strips anywhere in a 4000 x 4000 field, overlapping, some of zero or negative length, any order.
std::vector<RegionRun> RandomRuns(size_t n) {
  std::mt19937 rng(42);
  std::vector<RegionRun> runs(n);
  for (auto& r : runs) r = {int32_t(rng() % 4000), int32_t(rng() % 4000), int32_t(rng() % 251) - 50};
  return runs;
}

// What the maker writes for a large perforated disc: rows top to bottom, runs right to left, three pixels on
// and one off, the pattern shifting every eight rows.
std::vector<RegionRun> FaceLikeRuns(size_t n) {
  const int side = int(std::ceil(std::sqrt(16.0 * double(n) / 3.14159))) + 8;
  const double radius = side / 2.0;
  std::vector<RegionRun> runs;
  runs.reserve(n);
  for (int y = 0; y < side && runs.size() < n; ++y) {
    double dy = y + 0.5 - radius;
    if (std::fabs(dy) >= radius) continue;
    int half = int(std::sqrt(radius * radius - dy * dy));
    int from = int(radius) - half, to = int(radius) + half;
    int phase = (y / 8) % 4;
    std::vector<RegionRun> row;
    for (int x = from + phase; x < to; x += 4) row.push_back({x, y, std::min(3, to - x)});
    for (auto it = row.rbegin(); it != row.rend() && runs.size() < n; ++it) runs.push_back(*it);
  }
  return runs;
}

std::vector<RegionRun> Runs(bool faceLike, size_t n) { return faceLike ? FaceLikeRuns(n) : RandomRuns(n); }

// --- The union one record at a time, as a per-record CombineRgn does: each step builds a new banded list
// from the old one and one rectangle, so a step costs the size of the region so far.

void Coalesce(std::vector<RegionRect>& v) {
  std::vector<RegionRect> out;
  out.reserve(v.size());
  size_t prevStart = 0, prevCount = 0;
  for (size_t i = 0; i < v.size();) {
    size_t j = i;
    while (j < v.size() && v[j].top == v[i].top) ++j;
    bool same = prevCount == j - i && prevCount > 0 && out[prevStart].bottom == v[i].top;
    for (size_t k = 0; same && k < prevCount; ++k)
      same = out[prevStart + k].left == v[i + k].left && out[prevStart + k].right == v[i + k].right;
    if (same) {
      for (size_t k = 0; k < prevCount; ++k) out[prevStart + k].bottom = v[i].bottom;
    } else {
      prevStart = out.size();
      prevCount = j - i;
      out.insert(out.end(), v.begin() + std::ptrdiff_t(i), v.begin() + std::ptrdiff_t(j));
    }
    i = j;
  }
  v.swap(out);
}

void UnionStrip(std::vector<RegionRect>& rgn, int32_t row, int32_t a, int32_t b) {
  std::vector<RegionRect> out;
  out.reserve(rgn.size() + 3);
  size_t i = 0;
  const size_t n = rgn.size();
  while (i < n && rgn[i].bottom <= row) out.push_back(rgn[i++]);
  if (i < n && rgn[i].top <= row) {
    size_t j = i;
    while (j < n && rgn[j].top == rgn[i].top) ++j;
    const int32_t top = rgn[i].top, bottom = rgn[i].bottom;
    if (top < row)
      for (size_t k = i; k < j; ++k) out.push_back({rgn[k].left, top, rgn[k].right, row});
    std::vector<std::pair<int32_t, int32_t>> spans;
    for (size_t k = i; k < j; ++k) spans.push_back({rgn[k].left, rgn[k].right});
    spans.insert(std::lower_bound(spans.begin(), spans.end(), std::make_pair(a, b)), {a, b});
    const size_t rowStart = out.size();
    for (auto [l, r] : spans) {
      if (out.size() > rowStart && l <= out.back().right) {
        out.back().right = std::max(out.back().right, r);
      } else {
        out.push_back({l, row, r, row + 1});
      }
    }
    if (bottom > row + 1)
      for (size_t k = i; k < j; ++k) out.push_back({rgn[k].left, row + 1, rgn[k].right, bottom});
    i = j;
  } else {
    out.push_back({a, row, b, row + 1});
  }
  while (i < n) out.push_back(rgn[i++]);
  Coalesce(out);
  rgn.swap(out);
}

std::vector<RegionRect> NaiveUnion(const std::vector<RegionRun>& runs) {
  std::vector<RegionRect> rgn;
  for (const RegionRun& r : runs) {
    if (r.length == 0) continue;
    int32_t a = r.left, b = r.left + r.length;
    UnionStrip(rgn, r.row, std::min(a, b), std::max(a, b));
  }
  return rgn;
}

// --- Benchmarks ---

void BM_ParseAndBuildBands(benchmark::State& state, bool faceLike) {
  const size_t n = size_t(state.range(0));
  const std::string text = faceformat::FormatRegionRuns(Runs(faceLike, n));
  size_t rects = 0;
  for (auto _ : state) {
    auto runs = faceformat::ParseRegionRuns(text);
    auto bands = faceformat::BuildRegionBands(*runs);
    rects = bands->size();
    benchmark::DoNotOptimize(bands);
  }
  state.SetComplexityN(int64_t(n));
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(n));
  state.counters["rects"] = double(rects);
  state.counters["MB"] = double(text.size()) / 1e6;
}

// The band build alone, for the share of parsing in the above.
void BM_BuildBandsOnly(benchmark::State& state, bool faceLike) {
  const auto runs = Runs(faceLike, size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(faceformat::BuildRegionBands(runs));
  state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}

double Seconds(auto&& f) {
  auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The naive union on the same input, with the fast build timed alongside: "x_slower" is the ratio.
void BM_NaiveUnion(benchmark::State& state, bool faceLike) {
  const size_t n = size_t(state.range(0));
  const auto runs = Runs(faceLike, n);
  const std::string text = faceformat::FormatRegionRuns(runs);
  double naive = 0;
  std::vector<RegionRect> result;
  for (auto _ : state) {
    naive += Seconds([&] {
      auto parsed = faceformat::ParseRegionRuns(text);
      result = NaiveUnion(*parsed);
    });
  }
  naive /= double(state.iterations());
  double fast = 1e9;
  std::vector<RegionRect> bands;
  for (int i = 0; i < 5; ++i) {
    fast = std::min(fast, Seconds([&] { bands = *faceformat::BuildRegionBands(*faceformat::ParseRegionRuns(text)); }));
  }
  if (bands != result) state.SkipWithError("the naive union and the band build disagree");
  state.counters["x_slower"] = naive / fast;
  state.counters["rects"] = double(result.size());
  std::printf("  %s %zu records: naive %.3f s, bands %.4f s, ratio %.0f\n", faceLike ? "face-like" : "random", n,
              naive, fast, naive / fast);
}

void BM_SilhouetteAndRuns(benchmark::State& state) {
  // A 700 x 700 face: a disc with a ring of holes and a white centre, on white.
  faceformat::Image picture(700, 700);
  for (int y = 0; y < 700; ++y) {
    for (int x = 0; x < 700; ++x) {
      double d = std::hypot(x - 349.5, y - 349.5);
      double angle = std::atan2(y - 349.5, x - 349.5);
      bool hole = d < 40 || (d > 250 && d < 290 && std::sin(angle * 60) > 0.3);
      if (d < 340 && !hole) picture.at(x, y) = faceformat::Rgb(uint8_t(x), uint8_t(y), 80);
    }
  }
  size_t runs = 0;
  for (auto _ : state) {
    faceformat::Image sil = faceformat::MakeSilhouette(picture);
    auto r = faceformat::MakeRegionRuns(sil);
    runs = r.size();
    benchmark::DoNotOptimize(r);
  }
  state.counters["runs"] = double(runs);
}

}  // namespace

BENCHMARK_CAPTURE(BM_ParseAndBuildBands, random, false)
    ->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK_CAPTURE(BM_ParseAndBuildBands, face_like, true)
    ->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK_CAPTURE(BM_BuildBandsOnly, random, false)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildBandsOnly, face_like, true)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NaiveUnion, random, false)
    ->Arg(10000)->Arg(30000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NaiveUnion, face_like, true)
    ->Arg(10000)->Arg(30000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SilhouetteAndRuns)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
