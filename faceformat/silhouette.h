// From a face picture to its outline: pure white is cut away, everything else belongs to the clock.
#pragma once

#include <vector>

#include "image.h"
#include "region.h"

namespace faceformat {

inline constexpr uint32_t kCutColor = 0x00FFFFFF;

// The picture as the maker shows it: black where the clock is, white where it is cut away.
Image MakeSilhouette(const Image& picture);

// Runs of non-white pixels: rows top to bottom, within a row right to left.
std::vector<RegionRun> MakeRegionRuns(const Image& picture);

}  // namespace faceformat
