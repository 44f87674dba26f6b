// The colour button control's toolbox picture and arrow glyph, and the programs' icons.
#include <algorithm>

#include "art/motif.h"
#include "art/pictures.h"

namespace art {

faceformat::Image DrawToolbox() {
  // Pixel art in colours of the 16-colour palette: a 3 x 3 grid of swatches inside a dark grey frame,
  // on the light grey that a toolbox treats as transparent.
  faceformat::Image img(16, 15, faceformat::Rgb(192, 192, 192));
  for (int x = 1; x <= 15; ++x) {
    img.at(x, 0) = img.at(x, 14) = faceformat::Rgb(128, 128, 128);
  }
  for (int y = 0; y <= 14; ++y) {
    img.at(1, y) = img.at(15, y) = faceformat::Rgb(128, 128, 128);
  }
  const uint32_t swatches[9] = {
      faceformat::Rgb(255, 0, 0), faceformat::Rgb(255, 255, 0), faceformat::Rgb(0, 255, 0),
      faceformat::Rgb(0, 255, 255), faceformat::Rgb(0, 0, 255), faceformat::Rgb(255, 0, 255),
      faceformat::Rgb(128, 0, 0), faceformat::Rgb(0, 128, 0), faceformat::Rgb(0, 0, 128),
  };
  for (int i = 0; i < 9; ++i) {
    const int x0 = 3 + (i % 3) * 4, y0 = 2 + (i / 3) * 4;
    for (int y = y0; y < y0 + 3; ++y) {
      for (int x = x0; x < x0 + 3; ++x) img.at(x, y) = swatches[i];
    }
  }
  return img;
}

faceformat::Image DrawArrowGlyph() {
  faceformat::Image img(7, 4, faceformat::Rgb(255, 255, 255));
  for (int y = 0; y < 4; ++y) {
    for (int x = y; x < 7 - y; ++x) img.at(x, y) = faceformat::Rgb(0, 0, 0);
  }
  return img;
}

Canvas DrawIcon(int size, bool designer) {
  Canvas c(size, size);
  const double s = size / 48.0;
  const int detail = size >= 48 ? 2 : size >= 32 ? 1 : 0;
  if (!designer) {
    DrawClockMotif(c, Pt{24 * s, 24 * s}, 22.5 * s, detail);
    return c;
  }
  DrawClockMotif(c, Pt{20 * s, 20 * s}, 19 * s, detail);
  // A pencil across the lower right: pink eraser, steel band, yellow body, bare wood and a lead point.
  const double hw = std::max(1.6, 4.6 * s);
  auto along = [&](double t, double side) {  // t from the eraser end (0) to the point (1)
    const Pt a{43 * s, 43 * s}, b{16 * s, 16 * s};
    const double k = 0.70710678;
    return Pt{a.x + (b.x - a.x) * t + side * hw * k, a.y + (b.y - a.y) * t - side * hw * k};
  };
  auto band = [&](double t0, double t1) { return Polygon({along(t0, -1), along(t0, 1), along(t1, 1), along(t1, -1)}); };
  c.Soft(Moved(Polygon({along(0, -1), along(0, 1), along(0.8, 1), along(1, 0), along(0.8, -1)}), s, 1.6 * s),
         Rgb(0, 0, 0), std::max(0.6, s), 0.45);
  c.Fill(Union(band(0, 0.14), Circle(along(0.02, 0), hw * 0.98)), Rgb(236, 120, 140));
  c.Fill(band(0.13, 0.24), Linear(along(0, -1), along(0, 1), {{0, Rgb(120, 126, 136)}, {0.5, Rgb(236, 238, 242)}, {1, Rgb(120, 126, 136)}}));
  c.Fill(band(0.23, 0.8), Linear(along(0, -1), along(0, 1), {{0, Rgb(250, 214, 60)}, {0.5, Rgb(255, 236, 120)}, {1, Rgb(206, 150, 20)}}));
  c.Fill(Polygon({along(0.795, -1), along(0.795, 1), along(1, 0)}), Rgb(238, 200, 150));
  c.Fill(Polygon({along(0.93, -0.35), along(0.93, 0.35), along(1, 0)}), Rgb(50, 50, 60));
  return c;
}

}  // namespace art
