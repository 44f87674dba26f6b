#include "art/face_common.h"

#include <cmath>

namespace art {

Canvas NewFaceCanvas(const Color& edge) { return Canvas(kFaceSize, kFaceSize, edge); }

faceformat::Image FinishFace(const Canvas& canvas, const Shape& silhouette, const Color& edge) {
  faceformat::Image img = canvas.ToImage(edge);
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      uint32_t& p = img.at(x, y);
      // A pixel belongs to the face when the outline covers at least a quarter of it.
      if (silhouette(x + 0.5, y + 0.5) > 0.25) {
        p = 0x00FFFFFF;
      } else if (p == 0x00FFFFFF) {
        p = 0x00FEFEFE;
      }
    }
  }
  return img;
}

void Ticks(Canvas& c, Pt centre, double r0, double r1, double stepDeg, double width, const Color& color,
           double skipEveryDeg) {
  const int n = int(std::lround(360.0 / stepDeg));
  for (int i = 0; i < n; ++i) {
    const double deg = i * stepDeg;
    if (skipEveryDeg > 0 && std::fmod(deg + 1e-6, skipEveryDeg) < 1e-3) continue;
    c.Fill(Capsule(Polar(centre, r0, deg), Polar(centre, r1, deg), width), color);
  }
}

void GlassGlint(Canvas& c, Pt centre, double r, double strength) {
  const Shape crescent = Subtract(Circle(centre, r * 0.93), Circle(Pt{centre.x + r * 0.16, centre.y + r * 0.2}, r * 0.95));
  c.Soft(crescent, Rgb(255, 255, 255), r * 0.06, strength);
}

}  // namespace art
