// The face at a monitor's scale: sizes, region runs, the face picture and the scene's geometry, from their
// 96-DPI form. A scaled pixel shows the source pixel under its centre, so the scaled region runs are the
// outline of the scaled picture. At 96 DPI everything stays as it is.
#pragma once

#include <vector>

#include "face/face_render.h"
#include "faceformat/image.h"
#include "faceformat/region.h"
#include "base/units.h"

namespace tkt {


// Scaled pixels whose centres fall before source position n; the scaled size of n source pixels.
int ScaledSize(int n, int dpi);
// The source pixel under the centre of scaled pixel i.
int SourceIndex(int i, int dpi);

// Rows top to bottom, within a row in the order of the source row (right to left for a maker's file).
std::vector<faceformat::RegionRun> ScaleRegionRuns(const std::vector<faceformat::RegionRun>& runs, int dpi);

// The canonical bands of ScaleRegionRuns(runs, dpi), given `bands`, those of `runs`. At 96 DPI and above a
// scaled band is a band of the scaled runs, so they are scaled in one pass with no sorting; below, the
// scaled runs are banded again.
tkt::Result<std::vector<faceformat::RegionRect>> ScaleRegionBands(
    const std::vector<faceformat::RegionRun>& runs, const std::vector<faceformat::RegionRect>& bands, int dpi);

// ScaledSize in both directions. A cut-away (pure white) source pixel under a centre gives pure white; any
// other pixel is a tent-filtered mean of the inside pixels only, so no white bleeds into the edge, and never
// pure white itself.
faceformat::Image ScalePicture(const faceformat::Image& picture, int dpi);

// Twips of the 96-DPI face per scaled pixel: 15 at 96.
float SceneTwipsPerPixel(int dpi);
int ScaledLineWidth(int widthPx, int dpi);
// A position in 96-DPI twips as a scaled pixel, rounded.
int ScaleFromTwips(float twips, int dpi);

// The scene at `dpi`: its unit, hand widths, and the hands, dot and frame kept over the same picture pixels
// as at 96. Its twips are the 96-DPI face's. The face and sprite pictures are the caller's, scaled with
// ScalePicture.
FaceScene ScaleScene(FaceScene scene, int dpi);

}  // namespace tkt
