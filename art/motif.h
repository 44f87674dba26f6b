// The clock we draw on the splash and in the icons: gold rim, cream dial, hands at ten past ten.
#pragma once

#include "art/canvas.h"

namespace art {

// `detail` 0: hour marks at the quarters only (small icons); 1: twelve marks; 2: minute ticks and a second hand.
void DrawClockMotif(Canvas& c, Pt centre, double r, int detail);

}  // namespace art
