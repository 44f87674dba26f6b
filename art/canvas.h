// A small anti-aliased canvas: shapes are signed distance functions (negative inside), and a pixel's coverage
// comes from the distance at its centre, which gives smooth edges without supersampling.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "faceformat/image.h"

namespace art {

inline constexpr double kPi = 3.14159265358979323846;

struct Pt {
  double x = 0, y = 0;
};

// Straight (not premultiplied) colour, channels 0..1.
struct Color {
  double r = 0, g = 0, b = 0, a = 1;
};

Color Rgb(int r, int g, int b, double a = 1.0);
Color Hex(uint32_t rgb, double a = 1.0);
Color Mix(const Color& p, const Color& q, double t);  // t = 0 gives p
Color Shade(const Color& c, double f);                // f < 1 darker, > 1 lighter (towards white)
Color WithAlpha(const Color& c, double a);

struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Shape {
  std::function<double(double x, double y)> sdf;
  Box box;  // everything with sdf < 1 lies inside
  double operator()(double x, double y) const { return sdf(x, y); }
};

Shape Circle(Pt c, double r);
Shape Ellipse(Pt c, double rx, double ry);
Shape Ring(Pt c, double rInner, double rOuter);
Shape Rect(double x0, double y0, double x1, double y1);
Shape RoundRect(double x0, double y0, double x1, double y1, double radius);
Shape Polygon(std::vector<Pt> points);
Shape Capsule(Pt a, Pt b, double width);                       // thick line with round caps
Shape Stroke(const std::vector<Pt>& points, double width);      // polyline with round joins and caps
std::vector<Pt> ArcPoints(Pt c, double rx, double ry, double deg0, double deg1, int steps = 0);  // 0 deg = 12 o'clock, clockwise

Shape Union(const Shape& a, const Shape& b);
Shape Union(const std::vector<Shape>& shapes);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
Shape Grow(const Shape& s, double d);            // d > 0 makes it larger
Shape Outline(const Shape& s, double width);     // a band of the given width centred on the edge
Shape Moved(const Shape& s, double dx, double dy);
Shape Rotated(const Shape& s, Pt about, double deg);  // clockwise, like a clock hand

// Point on a circle around c at a clock angle (0 = up, clockwise, degrees).
Pt Polar(Pt c, double r, double deg);

using Paint = std::function<Color(double x, double y)>;

Paint Solid(const Color& c);
struct Stop {
  double t;
  Color c;
};
Paint Linear(Pt p0, Pt p1, std::vector<Stop> stops);
Paint Radial(Pt c, double r, std::vector<Stop> stops);

class Canvas {
 public:
  Canvas(int width, int height, const Color& fill = Color{0, 0, 0, 0});

  int width() const { return width_; }
  int height() const { return height_; }

  void Fill(const Shape& s, const Paint& paint, double opacity = 1.0);
  void Fill(const Shape& s, const Color& c, double opacity = 1.0) { Fill(s, Solid(c), opacity); }
  // Edge softened over `blur` pixels either side: shadows and glows.
  void Soft(const Shape& s, const Color& c, double blur, double opacity = 1.0);

  Color At(int x, int y) const;  // straight colour
  // Composited over an opaque background.
  faceformat::Image ToImage(const Color& background) const;

 private:
  void Blend(int x, int y, const Color& c, double alpha);

  int width_, height_;
  std::vector<Color> px_;  // premultiplied
};

uint32_t ToPixel(const Color& opaque);

}  // namespace art
