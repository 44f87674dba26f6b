// Toothed wheels with spokes, for the skeleton face and the splash.
#pragma once

#include "art/canvas.h"

namespace art {

struct Wheel {
  Pt c;
  double r;     // tip of the teeth
  int teeth;
  int spokes;
  double turn;  // degrees, so teeth and spokes don't all line up
};

Shape WheelShape(const Wheel& w);

}  // namespace art
