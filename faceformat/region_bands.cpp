#include <algorithm>

#include "faceformat/files_internal.h"
#include "faceformat/region.h"

namespace faceformat {

namespace {

struct Strip {
  int32_t row, left, right;  // right exclusive, left < right
};

Result<std::vector<RegionRect>> Build(const std::vector<RegionRun>& runs) {
  std::vector<Strip> strips;
  strips.reserve(runs.size());
  for (size_t i = 0; i < runs.size(); ++i) {
    const RegionRun& r = runs[i];
    int64_t end = int64_t(r.left) + r.length;
    if (end > INT32_MAX || end < INT32_MIN) return Error{"left + length outside 32 bits", (long long)i + 1};
    if (r.row == INT32_MAX) return Error{"row + 1 outside 32 bits", (long long)i + 1};
    if (r.length == 0) continue;
    // Rectangles are normalised: a negative length covers the pixels left of `left`.
    int32_t a = r.left, b = int32_t(end);
    if (a > b) std::swap(a, b);
    strips.push_back(Strip{r.row, a, b});
  }
  // The maker writes rows top to bottom but right to left; any order is accepted.
  auto before = [](const Strip& x, const Strip& y) { return x.row != y.row ? x.row < y.row : x.left < y.left; };
  if (!std::is_sorted(strips.begin(), strips.end(), before)) std::sort(strips.begin(), strips.end(), before);

  // Merge each row into disjoint, non-touching spans, in place.
  struct RowSpans {
    int32_t row;
    size_t first, count;  // into `strips`, reused as span storage
  };
  std::vector<RowSpans> rows;
  size_t out = 0;
  for (size_t i = 0; i < strips.size();) {
    int32_t row = strips[i].row;
    size_t first = out;
    Strip cur = strips[i++];
    for (; i < strips.size() && strips[i].row == row; ++i) {
      if (strips[i].left <= cur.right) {
        cur.right = std::max(cur.right, strips[i].right);
      } else {
        strips[out++] = cur;
        cur = strips[i];
      }
    }
    strips[out++] = cur;
    rows.push_back(RowSpans{row, first, out - first});
  }

  // Neighbouring rows with the same spans become one band.
  auto sameSpans = [&](const RowSpans& x, const RowSpans& y) {
    if (x.count != y.count) return false;
    for (size_t k = 0; k < x.count; ++k) {
      const Strip& p = strips[x.first + k];
      const Strip& q = strips[y.first + k];
      if (p.left != q.left || p.right != q.right) return false;
    }
    return true;
  };
  std::vector<RegionRect> rects;
  rects.reserve(out);
  for (size_t i = 0; i < rows.size();) {
    size_t j = i + 1;
    int32_t bottom = rows[i].row + 1;
    while (j < rows.size() && rows[j].row == bottom && sameSpans(rows[i], rows[j])) {
      ++bottom;
      ++j;
    }
    for (size_t k = 0; k < rows[i].count; ++k) {
      const Strip& s = strips[rows[i].first + k];
      rects.push_back(RegionRect{s.left, rows[i].row, s.right, bottom});
    }
    i = j;
  }
  return rects;
}

}  // namespace

Result<std::vector<RegionRect>> BuildRegionBands(const std::vector<RegionRun>& runs) {
  return detail::NoThrow([&] { return Build(runs); });
}

}  // namespace faceformat
