// Region files (.rgp): runs of face pixels, and the banded rectangle list they cover.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace faceformat {

using tkt::Error, tkt::Result, tkt::Status, tkt::Success;

struct RegionRun {
  int32_t left = 0;
  int32_t row = 0;
  int32_t length = 0;
  bool operator==(const RegionRun&) const = default;
};

inline constexpr int32_t kMaxRegionRuns = 1000000;
// The longest line of a record, "-2147483648 -2147483648 -2147483648" and CR LF, for each record allowed:
// ReadRegionFile refuses a larger file before reading it.
inline constexpr unsigned long long kMaxRegionFileBytes = 37ull * kMaxRegionRuns;

// A stream of numbers split by blanks, commas or line ends, three to a record. Fails on an empty file, a file
// that ends inside a record, a non-number, a value outside signed 32 bits or more than kMaxRegionRuns records;
// Error::where is the 1-based record number. Numbers are decimal integers with an optional sign; blanks, tabs
// and line ends of any amount separate them, as does one comma. Blank space after the last record is ignored,
// also after a comma. The readers never throw: running out of memory is an error too.
Result<std::vector<RegionRun>> ParseRegionRuns(std::string_view bytes);
Result<std::vector<RegionRun>> ReadRegionFile(const std::filesystem::path& path);

// The maker's layout: "left row length" lines with CR LF.
std::string FormatRegionRuns(const std::vector<RegionRun>& runs);
Status WriteRegionFile(const std::filesystem::path& path, const std::vector<RegionRun>& runs);

struct RegionRect {
  int32_t left, top, right, bottom;  // right and bottom exclusive
  bool operator==(const RegionRect&) const = default;
};

// The union of the runs' strips as canonical bands: sorted top to bottom, then left to right, no overlaps,
// touching rectangles merged, vertically adjacent bands with equal spans coalesced (the layout Windows
// regions use, so it can be handed to ExtCreateRegion). A negative length covers the pixels to the left of
// `left`; zero adds nothing. Fails when left + length or row + 1 leaves signed 32 bits. O(n log n).
Result<std::vector<RegionRect>> BuildRegionBands(const std::vector<RegionRun>& runs);

}  // namespace faceformat
