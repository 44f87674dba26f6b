// The clock window's shape from a region file (module BmpRgn).
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "faceformat/image.h"
#include "faceformat/region.h"
#include "base/result.h"
#include "base/units.h"
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

// The face as its files hold it, at 96 DPI: kept, so the window can be shaped again at another scale.
struct FaceSource {
  faceformat::Image picture;
  std::vector<faceformat::RegionRun> runs;
  std::vector<faceformat::RegionRect> bands;  // of the runs
};

// Reads the face picture and the region file and bands the runs; paths are ANSI bytes as the settings file
// holds them.
tkt::Result<FaceSource> LoadFaceSource(const std::string& regionPath, const std::string& bitmapPath);

// Shapes the window with the source's runs scaled to `dpi` and returns the picture at that scale in `face`,
// to be drawn unscaled at the window's top-left corner. The result is SetWindowRgn's; any failure is an
// error and leaves `face` and the window as they were.
tkt::Result<int> ApplyFaceRegion(HWND window, const FaceSource& source, int dpi, faceformat::Image& face);

// Both steps at once.
tkt::Result<int> ApplyFaceRegion(HWND window, const std::string& regionPath, const std::string& bitmapPath,
                                        faceformat::Image& face, int dpi = kDesignDpi);

}  // namespace tkt
