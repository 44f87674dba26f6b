#include "art/gears.h"

#include <algorithm>

namespace art {

namespace {

Shape Toothed(const Wheel& w) {
  std::vector<Pt> pts;
  const double root = w.r - std::max(1.6, w.r * 0.085);
  const double step = 360.0 / w.teeth;
  for (int i = 0; i < w.teeth; ++i) {
    const double a = w.turn + i * step;
    pts.push_back(Polar(w.c, root, a));
    pts.push_back(Polar(w.c, w.r, a + step * 0.2));
    pts.push_back(Polar(w.c, w.r, a + step * 0.5));
    pts.push_back(Polar(w.c, root, a + step * 0.7));
  }
  return Polygon(pts);
}

}  // namespace

Shape WheelShape(const Wheel& w) {
  const double rim = w.r * 0.8, hub = std::max(2.5, w.r * 0.22);
  std::vector<Shape> spokes;
  for (int i = 0; i < w.spokes; ++i) {
    spokes.push_back(Capsule(w.c, Polar(w.c, rim, w.turn + i * 360.0 / w.spokes), std::max(1.6, w.r * 0.11)));
  }
  const Shape windows = Subtract(Ring(w.c, hub, rim), Union(spokes));
  return Subtract(Toothed(w), windows);
}

}  // namespace art
