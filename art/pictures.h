// Every picture of the programs besides the faces.
#pragma once

#include <cstdint>
#include <vector>

#include "art/canvas.h"
#include "faceformat/image.h"

namespace art {

// 30 x 26; kind 1 square, kind 2 arched.
faceformat::Image DrawCuckooDoor(int kind, bool open);

// 269 x 50, the product name on light grey (192, 192, 192).
faceformat::Image DrawLogo();
// 402 x 270, the designer's splash.
faceformat::Image DrawSplash();

// 16 x 15 toolbox picture of the colour button control: light grey shows through.
faceformat::Image DrawToolbox();
// 7 x 4 drop-down arrow: black on white.
faceformat::Image DrawArrowGlyph();

// Square icons with alpha; `designer` adds a brush to the clock.
Canvas DrawIcon(int size, bool designer);

}  // namespace art
