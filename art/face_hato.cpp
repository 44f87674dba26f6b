// hato: a Black Forest cuckoo-clock house. The template shows small bone-coloured hands (up to 21 pixels)
// and a yellow digital read-out at (75, 46), so the dial is dark wood with a dark name board above it;
// under the dial a recessed door frame takes a 30 x 26 cuckoo door at (76, 124).
#include <cmath>

#include "art/face_common.h"
#include "art/faces.h"

namespace art {

namespace {

const Color kEdge = Rgb(50, 28, 14);
const Color kRoof = Rgb(92, 56, 32);
const Color kRoofLine = Rgb(58, 32, 16);
const Color kTrim = Rgb(206, 156, 96);
const Color kWall = Rgb(172, 116, 64);
const Color kWallDark = Rgb(136, 86, 44);
const Color kCarve = Rgb(122, 74, 38);
const Color kDial = Rgb(56, 32, 18);
const Color kBone = Rgb(240, 230, 206);
const Color kLeaf = Rgb(82, 128, 54);
const Color kLeafLight = Rgb(132, 176, 80);
const Color kLeafVein = Rgb(50, 86, 34);

constexpr double kApexY = 3, kRoofThick = 12, kSlope = 0.68, kEave = 84;
constexpr double kWallL = 34, kWallR = 146, kWallBottom = 152;
constexpr double kDialR = 26, kFrameR = 29.5;

double RoofY(double x, double offset) { return kApexY + offset + kSlope * std::abs(x - 90); }

Shape Roof() {
  return Polygon({{90, kApexY}, {90 + kEave, RoofY(90 + kEave, 0)}, {90 + kEave, RoofY(90 + kEave, kRoofThick)},
                  {90, kApexY + kRoofThick}, {90 - kEave, RoofY(90 - kEave, kRoofThick)}, {90 - kEave, RoofY(90 - kEave, 0)}});
}

// The carved board under the roof's edge, with a row of scallops hanging from it.
Shape Bargeboard() {
  const double t = kRoofThick - 0.5, b = kRoofThick + 3.5;
  std::vector<Shape> parts = {Polygon({{90, kApexY + t}, {90 + kEave - 3, RoofY(90 + kEave - 3, t)},
                                       {90 + kEave - 3, RoofY(90 + kEave - 3, b)}, {90, kApexY + b},
                                       {90 - kEave + 3, RoofY(90 - kEave + 3, b)}, {90 - kEave + 3, RoofY(90 - kEave + 3, t)}})};
  for (double d = 6; d <= kEave - 4; d += 6) {
    for (double x : {90 - d, 90 + d}) parts.push_back(Circle(Pt{x, RoofY(x, b)}, 2.3));
  }
  return Union(parts);
}

Shape Walls() {
  const double top = kApexY + kRoofThick - 1;
  return Polygon({{90, top}, {kWallR, RoofY(kWallR, kRoofThick - 1)}, {kWallR, kWallBottom}, {kWallL, kWallBottom},
                  {kWallL, RoofY(kWallL, kRoofThick - 1)}});
}
Shape Base() { return RoundRect(kWallL - 7, kWallBottom - 1, kWallR + 7, kWallBottom + 7, 2); }

std::vector<Pt> LeafPoints(Pt base, double deg, double len, double width) {
  std::vector<Pt> left, right;
  for (int i = 0; i <= 16; ++i) {
    const double t = i / 16.0;
    const double hw = width / 2 * std::pow(std::sin(kPi * t), 0.75) * (1 - 0.25 * t);
    const Pt axis = Polar(base, len * t, deg);
    left.push_back(Polar(axis, hw, deg - 90));
    right.push_back(Polar(axis, hw, deg + 90));
  }
  std::vector<Pt> pts(left.begin(), left.end());
  pts.insert(pts.end(), right.rbegin(), right.rend());
  return pts;
}

struct Leaf {
  Pt base;
  double deg, len, width;
};

Shape LeafShape(const Leaf& l) { return Polygon(LeafPoints(l.base, l.deg, l.len, l.width)); }

void DrawLeaf(Canvas& c, const Leaf& l) {
  const Shape s = LeafShape(l);
  const Pt tip = Polar(l.base, l.len, l.deg);
  c.Fill(s, Linear(l.base, tip, {{0, kLeaf}, {1, kLeafLight}}));
  c.Fill(Capsule(Polar(l.base, -1.5, l.deg), Polar(l.base, l.len * 0.85, l.deg), 0.7), kLeafVein, 0.8);
  for (double t : {0.35, 0.6}) {
    const Pt a = Polar(l.base, l.len * t, l.deg);
    for (double side : {-1.0, 1.0}) {
      c.Fill(Intersect(Capsule(a, Polar(a, l.width * 0.42, l.deg + side * 55), 0.5), s), kLeafVein, 0.6);
    }
  }
}

// Carved rosettes where the sprays hang from the eaves.
std::vector<Shape> Rosettes() { return {Circle(Pt{19.5, 70}, 4.2), Circle(Pt{160.5, 70}, 4.2)}; }

// Sprays of leaves under the eaves and beside the dial; mirrored left and right.
std::vector<Leaf> Leaves() {
  std::vector<Leaf> half = {
      {{24, 72}, 200, 15, 8},   {{24, 72}, 235, 13, 7},  {{24, 72}, 165, 12, 6.5},
      {{44, 88}, 250, 14, 7.5}, {{44, 90}, 215, 15, 8},  {{46, 92}, 180, 12, 6.5},
      {{44, 132}, 250, 14, 7.5}, {{44, 134}, 215, 14, 7.5}, {{46, 136}, 290, 12, 6.5},
  };
  std::vector<Leaf> all = half;
  for (const Leaf& l : half) all.push_back(Leaf{{180 - l.base.x, l.base.y}, -l.deg, l.len, l.width});
  return all;
}

void DrawRoof(Canvas& c) {
  const Shape roof = Roof();
  c.Fill(roof, Linear(Pt{90, 0}, Pt{90, 75}, {{0, Shade(kRoof, 1.2)}, {1, Shade(kRoof, 0.8)}}));
  // Shingles: rows along the slope, joints staggered row by row.
  for (int row = 1; row <= 3; ++row) {
    const double off = row * 3.0;
    for (double side : {-1.0, 1.0}) {
      const Pt a{90, kApexY + off}, b{90 + side * kEave, RoofY(90 + side * kEave, off)};
      c.Fill(Intersect(Capsule(a, b, 0.8), roof), kRoofLine, 0.85);
      c.Fill(Intersect(Capsule(Pt{a.x, a.y - 1.1}, Pt{b.x, b.y - 1.1}, 0.6), roof), Shade(kRoof, 1.35), 0.5);
      for (double d = (row % 2 ? 3.0 : 6.5); d < kEave; d += 7) {
        const double x = 90 + side * d;
        c.Fill(Intersect(Capsule(Pt{x, RoofY(x, off - 3)}, Pt{x, RoofY(x, off)}, 0.7), roof), kRoofLine, 0.7);
      }
    }
  }
  c.Fill(Capsule(Pt{90, kApexY + 0.8}, Pt{90 - kEave, RoofY(90 - kEave, 0.8)}, 1.0), Shade(kRoof, 1.5), 0.6);
  c.Fill(Capsule(Pt{90, kApexY + 0.8}, Pt{90 + kEave, RoofY(90 + kEave, 0.8)}, 1.0), Shade(kRoof, 1.5), 0.6);
  const Shape board = Bargeboard();
  c.Fill(board, kTrim);
  c.Fill(Intersect(Grow(board, -1.2), Grow(board, 2)), Shade(kTrim, 1.15), 0.6);
  // A small finial at the apex.
  c.Fill(Circle(Pt{90, kApexY + 9}, 2.6), kTrim);
}

void DrawWalls(Canvas& c) {
  const Shape walls = Walls();
  c.Fill(walls, Linear(Pt{kWallL, 0}, Pt{kWallR, 0}, {{0, kWallDark}, {0.2, kWall}, {0.8, kWall}, {1, kWallDark}}));
  for (double x = kWallL + 8; x < kWallR; x += 8) c.Fill(Capsule(Pt{x, 40}, Pt{x, kWallBottom}, 0.6), kWallDark, 0.45);
  const Shape base = Base();
  c.Fill(base, Linear(Pt{0, kWallBottom - 1}, Pt{0, kWallBottom + 7}, {{0, kTrim}, {1, kCarve}}));
  c.Fill(Capsule(Pt{kWallL - 5, kWallBottom + 2}, Pt{kWallR + 5, kWallBottom + 2}, 0.7), Shade(kTrim, 1.2), 0.7);
}

void DrawNameBoard(Canvas& c) {
  c.Soft(RoundRect(70, 42, 118, 61, 3), Rgb(0, 0, 0), 1.2, 0.35);
  c.Fill(RoundRect(69.5, 41.5, 118.5, 60.5, 3), kTrim);
  c.Fill(RoundRect(71, 43, 117, 59, 2), Linear(Pt{0, 43}, Pt{0, 59}, {{0, Rgb(30, 18, 10)}, {1, Rgb(48, 28, 16)}}));
}

void DrawDial(Canvas& c) {
  const Pt o = kFaceCentre;
  c.Soft(Circle(Pt{o.x + 1, o.y + 1.5}, kFrameR), Rgb(0, 0, 0), 1.5, 0.4);
  // Carved frame: a ring of rounded notches.
  c.Fill(Circle(o, kFrameR), Linear(Pt{70, 70}, Pt{110, 110}, {{0, Shade(kTrim, 1.1)}, {1, kCarve}}));
  for (int i = 0; i < 24; ++i) c.Fill(Circle(Polar(o, kFrameR - 0.3, i * 15 + 7.5), 1.1), kCarve, 0.75);
  c.Fill(Circle(o, kDialR + 0.8), kCarve);
  c.Fill(Circle(o, kDialR), Radial(o, kDialR, {{0, Shade(kDial, 1.2)}, {1, Shade(kDial, 0.85)}}));
  for (int h = 0; h < 12; ++h) {
    if (h % 3 == 0) {
      c.Fill(Polygon({Polar(o, 21.5, h * 30), Polar(o, 24.2, h * 30 - 4.5), Polar(o, 25.3, h * 30),
                      Polar(o, 24.2, h * 30 + 4.5)}),
             kBone);
    } else {
      c.Fill(Circle(Polar(o, 23.8, h * 30), 1.25), kBone);
    }
  }
  Ticks(c, o, 23.3, 24.7, 6, 0.5, kBone, 30);
  GlassGlint(c, o, kDialR, 0.08);
}

void DrawDoorFrame(Canvas& c) {
  // A cuckoo door picture fits at (76, 124), 30 x 26: a frame one pixel wider on each side, a shut
  // door of our own inside for faces without one, then a little perch.
  c.Fill(RoundRect(72, 120, 110, 154, 2), Linear(Pt{72, 120}, Pt{110, 154}, {{0, Shade(kTrim, 1.1)}, {1, kCarve}}));
  c.Fill(Rect(75, 123, 107, 151), Rgb(34, 18, 8));
  for (double x0 : {76.0, 91.5}) {
    const Shape leaf = Rect(x0, 124, x0 + 14.5, 150);
    c.Fill(leaf, Linear(Pt{x0, 0}, Pt{x0 + 14.5, 0}, {{0, kWall}, {1, kWallDark}}));
    for (double x = x0 + 3.6; x < x0 + 14; x += 3.6) c.Fill(Capsule(Pt{x, 124}, Pt{x, 150}, 0.6), kCarve, 0.6);
    c.Fill(Outline(Rect(x0 + 1.5, 126, x0 + 13, 148), 0.8), kCarve, 0.7);
  }
  c.Fill(Circle(Pt{88.5, 137}, 1.1), kTrim);
  c.Fill(Circle(Pt{94.5, 137}, 1.1), kTrim);
  c.Fill(RoundRect(68, 151.5, 114, 155, 1.5), kTrim);
}

// A little carved bird in the gable.
void DrawGableBird(Canvas& c) {
  const Shape bird = Union({Ellipse(Pt{91, 32.5}, 6.5, 4), Circle(Pt{85.5, 29}, 3.1),
                            Polygon({{96, 31}, {102.5, 27.5}, {101, 33.5}}), Polygon({{82.7, 28.2}, {79.6, 29.6}, {82.8, 30.4}})});
  c.Soft(Moved(bird, 0.6, 0.8), Rgb(0, 0, 0), 0.8, 0.35);
  c.Fill(bird, Linear(Pt{80, 26}, Pt{100, 36}, {{0, Shade(kTrim, 1.15)}, {1, kTrim}}));
  c.Fill(Intersect(Stroke(ArcPoints(Pt{92.5, 30.5}, 4.5, 3.2, 200, 100), 0.7), bird), kCarve, 0.8);
  c.Fill(Circle(Pt{85, 28.3}, 0.75), kEdge);
}

std::vector<Shape> Hangings() {
  std::vector<Shape> parts;
  // Two pine-cone weights on short chains, and a leaf pendulum between them.
  for (double x : {62.0, 118.0}) {
    parts.push_back(Capsule(Pt{x, kWallBottom + 6}, Pt{x, 165}, 1.8));
    parts.push_back(Ellipse(Pt{x, 171.5}, 4.6, 7.5));
  }
  parts.push_back(Capsule(Pt{90, kWallBottom + 6}, Pt{90, 163}, 1.6));
  parts.push_back(Polygon(LeafPoints(Pt{90, 160.5}, 180, 18.5, 12)));
  return parts;
}

void DrawHangings(Canvas& c) {
  const Color chain = Rgb(186, 156, 96);
  for (double x : {62.0, 118.0}) {
    for (double y = kWallBottom + 7; y < 165; y += 2.6) c.Fill(Ellipse(Pt{x, y}, 0.9, 1.3), chain);
    const Pt cc{x, 171.5};
    const Shape cone = Ellipse(cc, 4.6, 7.5);
    c.Fill(cone, Linear(Pt{x - 4, 0}, Pt{x + 4, 0}, {{0, Rgb(98, 58, 26)}, {0.4, Rgb(150, 96, 48)}, {1, Rgb(84, 48, 20)}}));
    for (double y = 166; y < 179; y += 2.4) {
      for (double dx = -3; dx <= 3.1; dx += 3) {
        const double sx = x + dx + (int(y) % 2 ? 1.5 : 0);
        c.Fill(Intersect(Stroke(ArcPoints(Pt{sx, y}, 1.6, 1.2, 90, 270), 0.6), cone), Rgb(70, 38, 14), 0.8);
      }
    }
  }
  c.Fill(Capsule(Pt{90, kWallBottom + 6}, Pt{90, 163}, 1.6), chain);
  const Leaf bob{{90, 160.5}, 180, 18.5, 12};
  c.Fill(LeafShape(bob), Linear(Pt{84, 160}, Pt{96, 178}, {{0, Shade(kTrim, 1.1)}, {1, kCarve}}));
  c.Fill(Capsule(Pt{90, 162}, Pt{90, 176}, 0.7), kCarve, 0.9);
  for (double t : {0.4, 0.65}) {
    const Pt a{90, 160.5 + 18.5 * t};
    c.Fill(Capsule(a, Pt{a.x - 3.5, a.y + 2.5}, 0.5), kCarve, 0.8);
    c.Fill(Capsule(a, Pt{a.x + 3.5, a.y + 2.5}, 0.5), kCarve, 0.8);
  }
}

}  // namespace

faceformat::Image DrawHatoFace() {
  Canvas c = NewFaceCanvas(kEdge);
  DrawHangings(c);
  DrawWalls(c);
  DrawRoof(c);
  for (const Shape& r : Rosettes()) {
    c.Fill(r, Radial(Pt{r.box.x0 + 3.5, r.box.y0 + 3.5}, 6, {{0, Shade(kTrim, 1.15)}, {1, kCarve}}));
  }
  for (const Leaf& l : Leaves()) DrawLeaf(c, l);
  DrawGableBird(c);
  DrawNameBoard(c);
  DrawDial(c);
  DrawDoorFrame(c);

  std::vector<Shape> outline = {Grow(Roof(), 0.8), Grow(Bargeboard(), 0.8), Grow(Walls(), 0.8), Grow(Base(), 0.8)};
  for (const Leaf& l : Leaves()) outline.push_back(Grow(LeafShape(l), 0.8));
  for (const Shape& r : Rosettes()) outline.push_back(Grow(r, 0.8));
  for (const Shape& s : Hangings()) outline.push_back(Grow(s, 0.8));
  return FinishFace(c, Union(outline), kEdge);
}

}  // namespace art
