// The clock window's shape from a region file (module BmpRgn).
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "faceformat/image.h"
#include "faceformat/region.h"
#include "faceformat/result.h"
#include "wincommon/gdi.h"

namespace tkt {

// The union of canonical bands in O(n log n): ExtCreateRegion over groups of `leafRects` rectangles, merged
// pairwise with CombineRgn in a balanced tree. Both one CombineRgn per record and one ExtCreateRegion over
// every rectangle grow quadratically (under Wine: minutes for 100,000 runs); a leaf of 64 costs little.
// Null on failure.
inline constexpr size_t kLeafRects = 64;
GdiObject<HRGN> BuildWindowRegion(std::span<const faceformat::RegionRect> bands, size_t leafRects = kLeafRects);

// One CombineRgn per record in file order, as the region file was always read: the reference for tests
// and benchmarks.
GdiObject<HRGN> BuildRegionOneByOne(std::span<const faceformat::RegionRun> runs);

// Loads the face picture (returned in `face`, to be drawn unscaled at the window's top-left corner),
// reads the region file, builds the region and hands it to the window. Paths are ANSI bytes as the
// settings file holds them. The result is SetWindowRgn's; any failure is an error for the caller.
faceformat::Result<int> ApplyFaceRegion(HWND window, const std::string& regionPath, const std::string& bitmapPath,
                                        faceformat::Image& face);

}  // namespace tkt
