#include "art/canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace art {

namespace {

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double SegmentDistance(Pt p, Pt a, Pt b) {
  const double ex = b.x - a.x, ey = b.y - a.y;
  const double wx = p.x - a.x, wy = p.y - a.y;
  const double ee = ex * ex + ey * ey;
  const double t = ee > 0 ? Clamp01((wx * ex + wy * ey) / ee) : 0.0;
  return std::hypot(wx - ex * t, wy - ey * t);
}

Box BoxOf(const std::vector<Pt>& pts, double margin) {
  Box b{1e9, 1e9, -1e9, -1e9};
  for (const Pt& p : pts) {
    b.x0 = std::min(b.x0, p.x);
    b.y0 = std::min(b.y0, p.y);
    b.x1 = std::max(b.x1, p.x);
    b.y1 = std::max(b.y1, p.y);
  }
  return Box{b.x0 - margin, b.y0 - margin, b.x1 + margin, b.y1 + margin};
}

Box Enlarge(Box b, double d) { return Box{b.x0 - d, b.y0 - d, b.x1 + d, b.y1 + d}; }
Box Join(Box a, Box b) {
  return Box{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}
Box Meet(Box a, Box b) {
  return Box{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Color Sample(const std::vector<Stop>& stops, double t) {
  if (t <= stops.front().t) return stops.front().c;
  for (size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].t) {
      const double span = stops[i].t - stops[i - 1].t;
      return Mix(stops[i - 1].c, stops[i].c, span > 0 ? (t - stops[i - 1].t) / span : 1.0);
    }
  }
  return stops.back().c;
}

}  // namespace

Color Rgb(int r, int g, int b, double a) { return Color{r / 255.0, g / 255.0, b / 255.0, a}; }
Color Hex(uint32_t rgb, double a) { return Rgb(int(rgb >> 16) & 255, int(rgb >> 8) & 255, int(rgb) & 255, a); }

Color Mix(const Color& p, const Color& q, double t) {
  return Color{p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t, p.a + (q.a - p.a) * t};
}

Color Shade(const Color& c, double f) {
  if (f <= 1) return Color{c.r * f, c.g * f, c.b * f, c.a};
  return Mix(c, Color{1, 1, 1, c.a}, std::min(f - 1, 1.0));
}

Color WithAlpha(const Color& c, double a) { return Color{c.r, c.g, c.b, a}; }

Pt Polar(Pt c, double r, double deg) {
  const double a = deg * kPi / 180.0;
  return Pt{c.x + r * std::sin(a), c.y - r * std::cos(a)};
}

Shape Circle(Pt c, double r) {
  return Shape{[=](double x, double y) { return std::hypot(x - c.x, y - c.y) - r; },
               Box{c.x - r - 1, c.y - r - 1, c.x + r + 1, c.y + r + 1}};
}

Shape Ellipse(Pt c, double rx, double ry) {
  // Close to the true distance near the edge, which is all coverage needs.
  return Shape{[=](double x, double y) {
                 const double px = (x - c.x), py = (y - c.y);
                 const double k0 = std::hypot(px / rx, py / ry);
                 const double k1 = std::hypot(px / (rx * rx), py / (ry * ry));
                 if (k1 == 0) return -std::min(rx, ry);
                 return k0 * (k0 - 1.0) / k1;
               },
               Box{c.x - rx - 1, c.y - ry - 1, c.x + rx + 1, c.y + ry + 1}};
}

Shape Ring(Pt c, double rInner, double rOuter) {
  return Shape{[=](double x, double y) {
                 const double d = std::hypot(x - c.x, y - c.y);
                 return std::max(d - rOuter, rInner - d);
               },
               Box{c.x - rOuter - 1, c.y - rOuter - 1, c.x + rOuter + 1, c.y + rOuter + 1}};
}

Shape Rect(double x0, double y0, double x1, double y1) { return RoundRect(x0, y0, x1, y1, 0); }

Shape RoundRect(double x0, double y0, double x1, double y1, double radius) {
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
  return Shape{[=](double x, double y) {
                 const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
                 const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
                 return outside + std::min(std::max(qx, qy), 0.0) - radius;
               },
               Box{x0 - 1, y0 - 1, x1 + 1, y1 + 1}};
}

Shape Polygon(std::vector<Pt> pts) {
  const Box box = BoxOf(pts, 1);
  return Shape{[pts = std::move(pts)](double x, double y) {
                 const Pt p{x, y};
                 double d = 1e18;
                 bool inside = false;
                 for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                   const Pt& a = pts[i];
                   const Pt& b = pts[j];
                   const double ex = b.x - a.x, ey = b.y - a.y;
                   const double wx = p.x - a.x, wy = p.y - a.y;
                   const double ee = ex * ex + ey * ey;
                   const double t = ee > 0 ? Clamp01((wx * ex + wy * ey) / ee) : 0.0;
                   const double dx = wx - ex * t, dy = wy - ey * t;
                   d = std::min(d, dx * dx + dy * dy);
                   if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
                 }
                 return inside ? -std::sqrt(d) : std::sqrt(d);
               },
               box};
}

Shape Capsule(Pt a, Pt b, double width) { return Stroke({a, b}, width); }

Shape Stroke(const std::vector<Pt>& pts, double width) {
  const double h = width / 2;
  return Shape{[pts, h](double x, double y) {
                 double d = 1e18;
                 if (pts.size() == 1) d = std::hypot(x - pts[0].x, y - pts[0].y);
                 for (size_t i = 1; i < pts.size(); ++i) d = std::min(d, SegmentDistance(Pt{x, y}, pts[i - 1], pts[i]));
                 return d - h;
               },
               BoxOf(pts, h + 1)};
}

std::vector<Pt> ArcPoints(Pt c, double rx, double ry, double deg0, double deg1, int steps) {
  if (steps <= 0) steps = std::max(4, int(std::abs(deg1 - deg0) / 360.0 * (rx + ry) * kPi / 1.5));
  std::vector<Pt> out;
  for (int i = 0; i <= steps; ++i) {
    const double a = (deg0 + (deg1 - deg0) * i / steps) * kPi / 180.0;
    out.push_back(Pt{c.x + rx * std::sin(a), c.y - ry * std::cos(a)});
  }
  return out;
}

Shape Union(const Shape& a, const Shape& b) {
  return Shape{[a, b](double x, double y) { return std::min(a(x, y), b(x, y)); }, Join(a.box, b.box)};
}

Shape Union(const std::vector<Shape>& shapes) {
  Box box = shapes.front().box;
  for (const Shape& s : shapes) box = Join(box, s.box);
  return Shape{[shapes](double x, double y) {
                 double d = 1e18;
                 for (const Shape& s : shapes) {
                   // A part whose box lies farther away than the best distance so far cannot win.
                   const double bx = std::max({s.box.x0 - x, x - s.box.x1, 0.0});
                   const double by = std::max({s.box.y0 - y, y - s.box.y1, 0.0});
                   if (bx * bx + by * by >= d * d && d > 0) continue;
                   d = std::min(d, s(x, y));
                 }
                 return d;
               },
               box};
}

Shape Intersect(const Shape& a, const Shape& b) {
  return Shape{[a, b](double x, double y) { return std::max(a(x, y), b(x, y)); }, Meet(a.box, b.box)};
}

Shape Subtract(const Shape& a, const Shape& b) {
  return Shape{[a, b](double x, double y) { return std::max(a(x, y), -b(x, y)); }, a.box};
}

Shape Grow(const Shape& s, double d) {
  return Shape{[s, d](double x, double y) { return s(x, y) - d; }, Enlarge(s.box, std::max(d, 0.0))};
}

Shape Outline(const Shape& s, double width) {
  return Shape{[s, h = width / 2](double x, double y) { return std::abs(s(x, y)) - h; }, Enlarge(s.box, width / 2)};
}

Shape Moved(const Shape& s, double dx, double dy) {
  return Shape{[s, dx, dy](double x, double y) { return s(x - dx, y - dy); },
               Box{s.box.x0 + dx, s.box.y0 + dy, s.box.x1 + dx, s.box.y1 + dy}};
}

Shape Rotated(const Shape& s, Pt c, double deg) {
  const double a = deg * kPi / 180.0, cs = std::cos(a), sn = std::sin(a);
  const Pt corners[4] = {{s.box.x0, s.box.y0}, {s.box.x1, s.box.y0}, {s.box.x0, s.box.y1}, {s.box.x1, s.box.y1}};
  std::vector<Pt> turned;
  for (const Pt& p : corners) {
    const double dx = p.x - c.x, dy = p.y - c.y;
    turned.push_back(Pt{c.x + dx * cs - dy * sn, c.y + dx * sn + dy * cs});
  }
  return Shape{[s, c, cs, sn](double x, double y) {
                 const double dx = x - c.x, dy = y - c.y;
                 return s(c.x + dx * cs + dy * sn, c.y - dx * sn + dy * cs);
               },
               BoxOf(turned, 0)};
}

Paint Solid(const Color& c) {
  return [c](double, double) { return c; };
}

Paint Linear(Pt p0, Pt p1, std::vector<Stop> stops) {
  const double dx = p1.x - p0.x, dy = p1.y - p0.y, len2 = dx * dx + dy * dy;
  return [=](double x, double y) { return Sample(stops, ((x - p0.x) * dx + (y - p0.y) * dy) / len2); };
}

Paint Radial(Pt c, double r, std::vector<Stop> stops) {
  return [=](double x, double y) { return Sample(stops, std::hypot(x - c.x, y - c.y) / r); };
}

Canvas::Canvas(int width, int height, const Color& fill)
    : width_(width), height_(height),
      px_(size_t(width) * size_t(height), Color{fill.r * fill.a, fill.g * fill.a, fill.b * fill.a, fill.a}) {}

void Canvas::Blend(int x, int y, const Color& c, double alpha) {
  Color& d = px_[size_t(y) * size_t(width_) + size_t(x)];
  const double k = 1.0 - alpha;
  d = Color{c.r * alpha + d.r * k, c.g * alpha + d.g * k, c.b * alpha + d.b * k, alpha + d.a * k};
}

void Canvas::Fill(const Shape& s, const Paint& paint, double opacity) {
  const int x0 = std::max(0, int(std::floor(s.box.x0 - 1))), x1 = std::min(width_ - 1, int(std::ceil(s.box.x1 + 1)));
  const int y0 = std::max(0, int(std::floor(s.box.y0 - 1))), y1 = std::min(height_ - 1, int(std::ceil(s.box.y1 + 1)));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      const double cover = Clamp01(0.5 - s(cx, cy));
      if (cover <= 0) continue;
      const Color c = paint(cx, cy);
      Blend(x, y, c, Clamp01(c.a * cover * opacity));
    }
  }
}

void Canvas::Soft(const Shape& s, const Color& c, double blur, double opacity) {
  const int x0 = std::max(0, int(std::floor(s.box.x0 - blur - 1))), x1 = std::min(width_ - 1, int(std::ceil(s.box.x1 + blur + 1)));
  const int y0 = std::max(0, int(std::floor(s.box.y0 - blur - 1))), y1 = std::min(height_ - 1, int(std::ceil(s.box.y1 + blur + 1)));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double t = Clamp01((blur - s(x + 0.5, y + 0.5)) / (2 * blur));
      const double cover = t * t * (3 - 2 * t);
      if (cover > 0) Blend(x, y, c, Clamp01(c.a * cover * opacity));
    }
  }
}

Color Canvas::At(int x, int y) const {
  const Color& p = px_[size_t(y) * size_t(width_) + size_t(x)];
  if (p.a <= 0) return Color{0, 0, 0, 0};
  return Color{p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

uint32_t ToPixel(const Color& c) {
  auto ch = [](double v) { return uint8_t(std::lround(Clamp01(v) * 255.0)); };
  return faceformat::Rgb(ch(c.r), ch(c.g), ch(c.b));
}

faceformat::Image Canvas::ToImage(const Color& bg) const {
  faceformat::Image img(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Color& p = px_[size_t(y) * size_t(width_) + size_t(x)];
      const double k = 1.0 - p.a;
      img.at(x, y) = ToPixel(Color{p.r + bg.r * k, p.g + bg.g * k, p.b + bg.b * k, 1});
    }
  }
  return img;
}

}  // namespace art
