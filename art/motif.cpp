#include "art/motif.h"

#include <algorithm>

namespace art {

void DrawClockMotif(Canvas& c, Pt o, double r, int detail) {
  const Color ink = Rgb(26, 38, 78);
  c.Soft(Circle(Pt{o.x + r * 0.03, o.y + r * 0.06}, r), Rgb(0, 0, 0), std::max(0.6, r * 0.05), 0.45);
  c.Fill(Circle(o, r), Linear(Pt{o.x - r, o.y - r}, Pt{o.x + r, o.y + r},
                              {{0, Rgb(255, 236, 160)}, {0.45, Rgb(222, 172, 64)}, {1, Rgb(128, 84, 22)}}));
  const double dial = r * (detail == 0 ? 0.8 : 0.86);
  c.Fill(Circle(o, dial + std::max(0.5, r * 0.02)), Rgb(120, 80, 24));
  c.Fill(Circle(o, dial), Radial(Pt{o.x - dial * 0.3, o.y - dial * 0.3}, dial * 1.4,
                                 {{0, Rgb(255, 253, 244)}, {0.7, Rgb(246, 238, 216)}, {1, Rgb(226, 212, 180)}}));
  const double w = std::max(0.9, r * 0.035);
  if (detail >= 2) {
    for (int i = 0; i < 60; ++i) {
      if (i % 5 == 0) continue;
      c.Fill(Capsule(Polar(o, dial * 0.9, i * 6), Polar(o, dial * 0.95, i * 6), w * 0.45), ink, 0.8);
    }
  }
  for (int h = 0; h < 12; ++h) {
    if (detail == 0 && h % 3 != 0) continue;
    const double len = (h % 3 == 0 ? 0.2 : 0.12) * dial;
    c.Fill(Capsule(Polar(o, dial * 0.95 - len, h * 30), Polar(o, dial * 0.95, h * 30), h % 3 == 0 ? w * 1.6 : w), ink);
  }
  // Ten past ten.
  const double hourDeg = 10 * 30 + 10 * 0.5, minuteDeg = 10 * 6;
  c.Soft(Capsule(Pt{o.x + w, o.y + w * 1.5}, Polar(Pt{o.x + w, o.y + w * 1.5}, dial * 0.52, hourDeg), w * 2.4), Rgb(0, 0, 0),
         w * 0.8, 0.25);
  c.Fill(Capsule(o, Polar(o, dial * 0.52, hourDeg), w * 2.4), ink);
  c.Fill(Capsule(o, Polar(o, dial * 0.78, minuteDeg), w * 1.7), ink);
  if (detail >= 2) {
    c.Fill(Capsule(Polar(o, -dial * 0.2, 200), Polar(o, dial * 0.85, 20), w * 0.6), Rgb(210, 40, 40));
    c.Fill(Circle(o, w * 1.6), Rgb(210, 40, 40));
  }
  c.Fill(Circle(o, w * 1.1), detail >= 2 ? Rgb(250, 230, 160) : ink);
}

}  // namespace art
