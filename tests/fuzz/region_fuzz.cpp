// The region reader and band builder on arbitrary bytes. Records that read write back to the same records;
// the bands are canonical (the layout Windows regions use) and cover exactly the pixels of the runs, compared
// row by row as merged spans so that coordinates anywhere in 32 bits can be checked.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "faceformat/region.h"
#include "fuzz_check.h"

using faceformat::RegionRect;
using faceformat::RegionRun;

namespace {

using Span = std::pair<int64_t, int64_t>;  // [left, right)
using Rows = std::map<int64_t, std::vector<Span>>;

void Merge(std::vector<Span>& spans) {
  std::sort(spans.begin(), spans.end());
  std::vector<Span> out;
  for (const Span& s : spans) {
    if (!out.empty() && s.first <= out.back().second) {
      out.back().second = std::max(out.back().second, s.second);
    } else {
      out.push_back(s);
    }
  }
  spans = std::move(out);
}

Rows RowsOfRuns(const std::vector<RegionRun>& runs) {
  Rows rows;
  for (const RegionRun& r : runs) {
    if (r.length == 0) continue;
    int64_t a = r.left, b = int64_t(r.left) + r.length;
    if (a > b) std::swap(a, b);
    rows[r.row].push_back({a, b});
  }
  for (auto& [row, spans] : rows) Merge(spans);
  return rows;
}

void CheckCanonical(const std::vector<RegionRect>& rects) {
  size_t i = 0;
  int64_t lastBottom = INT64_MIN;
  const std::vector<Span>* lastSpans = nullptr;
  std::vector<Span> previous, current;
  while (i < rects.size()) {
    const int32_t top = rects[i].top, bottom = rects[i].bottom;
    FUZZ_CHECK(top < bottom);
    FUZZ_CHECK(top >= lastBottom);  // bands go down and never overlap
    current.clear();
    for (; i < rects.size() && rects[i].top == top; ++i) {
      FUZZ_CHECK(rects[i].bottom == bottom);
      FUZZ_CHECK(rects[i].left < rects[i].right);
      // Left to right, neither overlapping nor touching.
      FUZZ_CHECK(current.empty() || rects[i].left > current.back().second);
      current.push_back({rects[i].left, rects[i].right});
    }
    // Two bands that meet have different spans, else they would be one.
    FUZZ_CHECK(!(lastSpans && top == lastBottom && current == previous));
    previous = current;
    lastSpans = &previous;
    lastBottom = bottom;
  }
}

Rows RowsOfBands(const std::vector<RegionRect>& rects, size_t runCount) {
  Rows rows;
  for (const RegionRect& r : rects) {
    // Each row of a band holds at least one run.
    FUZZ_CHECK(uint64_t(int64_t(r.bottom) - r.top) <= runCount);
    for (int64_t y = r.top; y < r.bottom; ++y) rows[y].push_back({r.left, r.right});
  }
  for (auto& [row, spans] : rows) Merge(spans);
  return rows;
}

bool SumsFit(const RegionRun& r) {
  const int64_t end = int64_t(r.left) + r.length;
  return end >= INT32_MIN && end <= INT32_MAX && r.row != INT32_MAX;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto runs = faceformat::ParseRegionRuns(text);
  if (!runs) {
    FUZZ_CHECK(runs.error().where >= 1);
    return 0;
  }
  FUZZ_CHECK(!runs->empty() && runs->size() <= size_t(faceformat::kMaxRegionRuns));

  auto again = faceformat::ParseRegionRuns(faceformat::FormatRegionRuns(*runs));
  FUZZ_CHECK(again.ok() && *again == *runs);

  auto bands = faceformat::BuildRegionBands(*runs);
  const bool allFit = std::all_of(runs->begin(), runs->end(), SumsFit);
  FUZZ_CHECK(bands.ok() == allFit);
  if (!bands) {
    const auto firstBad = std::find_if_not(runs->begin(), runs->end(), SumsFit);
    FUZZ_CHECK(bands.error().where == (firstBad - runs->begin()) + 1);
    return 0;
  }
  CheckCanonical(*bands);
  // Bands cover no more rows than the runs have, so the expansion stays small.
  if (runs->size() <= 4096) FUZZ_CHECK(RowsOfBands(*bands, runs->size()) == RowsOfRuns(*runs));
  return 0;
}
