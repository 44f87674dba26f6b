// Helpers shared by the face drawings.
#pragma once

#include "art/canvas.h"
#include "faceformat/image.h"

namespace art {

inline constexpr int kFaceSize = 180;
inline constexpr Pt kFaceCentre{90, 90};

// A face canvas starts filled with its edge colour, so shapes blend into that colour at the outline and
// never into the white that the window region cuts away.
Canvas NewFaceCanvas(const Color& edge);

// Cuts everything outside `silhouette` to pure white with a hard edge; inside, a pixel that came out
// pure white is nudged off it so the region keeps it.
faceformat::Image FinishFace(const Canvas& canvas, const Shape& silhouette, const Color& edge);

// Tick marks between two radii at every `stepDeg` degrees (skipping multiples of `skipEveryDeg` when > 0).
void Ticks(Canvas& c, Pt centre, double r0, double r1, double stepDeg, double width, const Color& color,
           double skipEveryDeg = 0);

// A soft highlight on glass: a faint light crescent in the upper left.
void GlassGlint(Canvas& c, Pt centre, double r, double strength);

}  // namespace art
