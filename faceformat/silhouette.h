// From a face picture to its outline: pure white is cut away, everything else belongs to the clock.
#pragma once

#include <vector>

#include "image.h"
#include "region.h"

namespace faceformat {

inline constexpr uint32_t kCutColor = 0x00FFFFFF;

// The picture as the maker shows it: black where the clock is, white where it is cut away.
Image MakeSilhouette(const Image& picture);

// A decoded picture with straight alpha in the top byte (0xAARRGGBB) as a face picture: a pixel less than
// half opaque is cut away (pure white), the others keep their colour with the top byte cleared. When the
// picture has any transparency, opacity alone decides, so an opaque pure white pixel becomes (255, 255, 254)
// and stays part of the clock; a wholly opaque picture keeps the white rule of a bitmap.
Image FaceFromAlphaPicture(const Image& argb);

// Runs of non-white pixels: rows top to bottom, within a row right to left.
std::vector<RegionRun> MakeRegionRuns(const Image& picture);

}  // namespace faceformat
