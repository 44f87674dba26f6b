#include "faceformat/region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace faceformat {
namespace {

std::vector<RegionRun> Parsed(std::string_view text) {
  auto r = ParseRegionRuns(text);
  EXPECT_TRUE(r.ok()) << text << ": " << (r.ok() ? "" : r.error().what);
  return r.ok() ? *r : std::vector<RegionRun>{};
}

void ExpectFailsAt(std::string_view text, long long record) {
  auto r = ParseRegionRuns(text);
  ASSERT_FALSE(r.ok()) << text;
  EXPECT_EQ(r.error().where, record) << text << ": " << r.error().what;
}

TEST(RegionParse, GroupsByThreeWhateverTheLayout) {
  const std::vector<RegionRun> want = {{10, 0, 5}, {3, 1, 7}, {0, 2, 180}};
  for (const char* text : {"10 0 5\r\n3 1 7\r\n0 2 180", "10 0 5 3 1 7 0 2 180\r\n",
                           "10\r\n0\r\n5\r\n3 1\r\n7 0 2\r\n180\r\n",
                           "  10   0\t5\n\n\n3,1,7\r\n  0 , 2 ,180 \r\n\r\n  ", "+10 -0 +5 3 1 7 0 2 180",
                           "10,0,5,3,1,7,0,2,180,", "10 0 5,3 1 7,0 2 180 ,\r\n\t \r\n"})  // a trailing comma
    EXPECT_EQ(Parsed(text), want) << text;
  EXPECT_EQ(Parsed("-2147483648 2147483647 -1"), (std::vector<RegionRun>{{INT32_MIN, INT32_MAX, -1}}));
}

TEST(RegionParse, RejectionsNameTheirRecord) {
  const std::pair<const char*, long long> cases[] = {
      {"", 1},        {" \r\n\r\n", 1}, {"5 6\r\n", 1}, {"1 2 3\r\n4", 2}, {"1 2 3\r\n4 5 6 7\r\n", 3},
      {"1 2 3,,", 2}, {"1 2 3, x", 2},
      {"1 2 3x", 1},  {"1 2 3.5", 1},   {"1 2 - 3", 1}, {"1,,2,3", 1},     {"0 0 1\r\n1 2147483648 3", 2},
      {"1 -2147483649 3", 1},           {"99999999999999999999999 1 1", 1}};
  for (auto [text, record] : cases) ExpectFailsAt(text, record);
}

TEST(RegionParse, AtMostAMillionRecords) {
  std::string text;
  text.reserve(kMaxRegionRuns * 8 + 16);
  for (int i = 0; i < kMaxRegionRuns; ++i) text += "1 2 3\r\n";
  auto r = ParseRegionRuns(text);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->size(), size_t(kMaxRegionRuns));
  text += "1 2 3\r\n";
  ExpectFailsAt(text, kMaxRegionRuns + 1);
}

TEST(RegionFormat, MakersLayoutRoundTrips) {
  const std::vector<RegionRun> runs = {{120, 0, 3}, {40, 0, 9}, {0, 179, 180}, {INT32_MIN, -5, INT32_MAX}};
  const std::string text = FormatRegionRuns(runs);
  EXPECT_TRUE(text.starts_with("120 0 3\r\n40 0 9\r\n0 179 180\r\n-2147483648 -5 2147483647\r\n")) << text;
  EXPECT_EQ(Parsed(text), runs);
  EXPECT_EQ(FormatRegionRuns({}), "");
}

// --- Bands ---

using PixelSet = std::set<std::pair<int, int>>;  // (row, column)

PixelSet PixelsOfRuns(const std::vector<RegionRun>& runs) {
  PixelSet px;
  for (const RegionRun& r : runs) {
    int a = r.left, b = r.left + r.length;
    for (int x = std::min(a, b); x < std::max(a, b); ++x) px.insert({r.row, x});
  }
  return px;
}

// The canonical form straight from the pixels: maximal spans per row, equal neighbouring rows joined.
std::vector<RegionRect> CanonicalFromPixels(const PixelSet& px) {
  std::vector<std::pair<int, std::vector<std::pair<int, int>>>> rows;
  for (auto it = px.begin(); it != px.end();) {
    int row = it->first;
    std::vector<std::pair<int, int>> spans;
    while (it != px.end() && it->first == row) {
      int left = it->second, right = left + 1;
      for (++it; it != px.end() && it->first == row && it->second == right; ++it) ++right;
      spans.push_back({left, right});
    }
    rows.push_back({row, spans});
  }
  std::vector<RegionRect> out;
  for (size_t i = 0; i < rows.size();) {
    size_t j = i + 1;
    while (j < rows.size() && rows[j].first == rows[j - 1].first + 1 && rows[j].second == rows[i].second) ++j;
    for (auto [l, r] : rows[i].second) out.push_back({l, rows[i].first, r, rows[j - 1].first + 1});
    i = j;
  }
  return out;
}

void ExpectCanonical(const std::vector<RegionRect>& rects) {
  for (size_t i = 0; i < rects.size(); ++i) {
    const RegionRect& r = rects[i];
    ASSERT_LT(r.left, r.right);
    ASSERT_LT(r.top, r.bottom);
    if (i == 0) continue;
    const RegionRect& p = rects[i - 1];
    if (p.top == r.top) {
      ASSERT_EQ(p.bottom, r.bottom) << "one band, one height";
      ASSERT_LT(p.right, r.left) << "spans in a band are sorted and do not touch";
    } else {
      ASSERT_LE(p.bottom, r.top) << "bands are sorted and do not overlap";
    }
  }
}

std::vector<RegionRect> Bands(const std::vector<RegionRun>& runs) {
  auto r = BuildRegionBands(runs);
  EXPECT_TRUE(r.ok()) << r.error().what;
  return r.ok() ? *r : std::vector<RegionRect>{};
}

TEST(RegionBands, SimpleShapes) {
  EXPECT_EQ(Bands({{5, 7, 10}}), (std::vector<RegionRect>{{5, 7, 15, 8}}));
  EXPECT_EQ(Bands({{5, 7, -3}}), (std::vector<RegionRect>{{2, 7, 5, 8}}));  // covers pixels 2..4
  EXPECT_EQ(Bands({{5, 7, 0}, {9, 9, 0}}), std::vector<RegionRect>{});
  EXPECT_EQ(Bands({}), std::vector<RegionRect>{});
  // A square written as the maker does, two touching runs per row, merges into one rectangle.
  std::vector<RegionRun> square;
  for (int y = 0; y < 10; ++y) square.push_back({5, y, 5}), square.push_back({0, y, 5});
  EXPECT_EQ(Bands(square), (std::vector<RegionRect>{{0, 0, 10, 10}}));
  // Rows that differ split the bands; rows with a gap between them never join.
  EXPECT_EQ(Bands({{0, 0, 4}, {0, 1, 4}, {0, 2, 6}, {0, 4, 6}}),
            (std::vector<RegionRect>{{0, 0, 4, 2}, {0, 2, 6, 3}, {0, 4, 6, 5}}));
}

TEST(RegionBands, EqualsThePixelUnionOfRandomRuns) {
  std::mt19937 rng(1234);
  for (int trial = 0; trial < 3000; ++trial) {
    int n = int(rng() % 40);
    int width = 4 + int(rng() % 40), height = 1 + int(rng() % 12);
    std::vector<RegionRun> runs;
    for (int i = 0; i < n; ++i) {
      RegionRun r{int(rng() % unsigned(width)) - 5, int(rng() % unsigned(height)) - 2, int(rng() % 25) - 8};
      runs.push_back(r);
      if (rng() % 5 == 0) runs.push_back(r);  // repeats
    }
    const auto bands = Bands(runs);
    ExpectCanonical(bands);
    ASSERT_EQ(bands, CanonicalFromPixels(PixelsOfRuns(runs))) << "trial " << trial;
    std::shuffle(runs.begin(), runs.end(), rng);
    ASSERT_EQ(Bands(runs), bands) << "order must not matter, trial " << trial;
  }
}

TEST(RegionBands, SumsOutside32BitsFail) {
  auto r = BuildRegionBands({{0, 0, 1}, {INT32_MAX, 0, 1}});
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().where, 2);
  r = BuildRegionBands({{INT32_MIN, 0, -1}});
  ASSERT_FALSE(r.ok());
  r = BuildRegionBands({{0, INT32_MAX, 0}});  // checked even when the run adds nothing
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().where, 1);
  EXPECT_EQ(Bands({{INT32_MAX - 3, INT32_MAX - 1, 3}, {INT32_MIN, INT32_MIN, INT32_MAX}}),
            (std::vector<RegionRect>{{INT32_MIN, INT32_MIN, -1, INT32_MIN + 1},
                                     {INT32_MAX - 3, INT32_MAX - 1, INT32_MAX, INT32_MAX}}));
}

}  // namespace
}  // namespace faceformat
