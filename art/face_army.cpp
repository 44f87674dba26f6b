// army: a steel field watch on an olive canvas strap. The template's hands are light (grey, steel blue,
// sea green) and reach 45 pixels, so the dial is black with bold cream numerals outside their reach.
#include <cmath>
#include <string>

#include "art/face_common.h"
#include "art/faces.h"
#include "art/font.h"

namespace art {

namespace {

const Color kEdge = Rgb(34, 36, 30);
const Color kSteelLight = Rgb(240, 242, 244);
const Color kSteel = Rgb(168, 174, 180);
const Color kSteelDark = Rgb(82, 88, 96);
const Color kStrap = Rgb(96, 100, 60);
const Color kStrapDark = Rgb(66, 70, 40);
const Color kThread = Rgb(196, 186, 140);
const Color kNumeral = Rgb(238, 230, 204);

constexpr double kCaseR = 69, kBezelR = 64, kDialR = 61;
constexpr double kStrapL = 60, kStrapR = 120;

Shape StrapStub(bool top) {
  return top ? RoundRect(kStrapL, 1.5, kStrapR, 60, 5) : RoundRect(kStrapL, 120, kStrapR, 178.5, 5);
}

void DrawStrap(Canvas& c, bool top) {
  const Shape strap = StrapStub(top);
  c.Fill(strap, Linear(Pt{kStrapL, 0}, Pt{kStrapR, 0},
                       {{0, kStrapDark}, {0.18, kStrap}, {0.5, Shade(kStrap, 1.12)}, {0.82, kStrap}, {1, kStrapDark}}));
  // Canvas weave: faint diagonal threads.
  for (double k = -60; k < 80; k += 2.2) {
    const double y0 = top ? 0 : 120;
    c.Fill(Intersect(Capsule(Pt{kStrapL + k, y0}, Pt{kStrapL + k + 60, y0 + 60}, 0.5), strap), kStrapDark, 0.22);
  }
  // Stitching along both edges and across the end.
  const double yEnd = top ? 7 : 173;
  const double y0 = top ? 7 : 120, y1 = top ? 60 : 173;
  for (double y = y0; y < y1; y += 3.4) {
    c.Fill(Capsule(Pt{kStrapL + 3.5, y}, Pt{kStrapL + 3.5, y + 1.8}, 0.8), kThread, 0.9);
    c.Fill(Capsule(Pt{kStrapR - 3.5, y}, Pt{kStrapR - 3.5, y + 1.8}, 0.8), kThread, 0.9);
  }
  for (double x = kStrapL + 6; x < kStrapR - 5; x += 3.4) c.Fill(Capsule(Pt{x, yEnd}, Pt{x + 1.8, yEnd}, 0.8), kThread, 0.9);
}

Shape Lugs() {
  std::vector<Shape> lugs;
  for (double x : {kStrapL - 4, kStrapR - 6}) {
    lugs.push_back(RoundRect(x, 18, x + 10, 50, 3.5));
    lugs.push_back(RoundRect(x, 130, x + 10, 162, 3.5));
  }
  return Union(lugs);
}

Shape Crown() { return RoundRect(155, 80, 167, 100, 2.5); }

void DrawCase(Canvas& c) {
  const Pt o = kFaceCentre;
  const Paint steel = Linear(Pt{30, 30}, Pt{150, 150}, {{0, kSteelLight}, {0.5, kSteel}, {1, kSteelDark}});
  c.Fill(Lugs(), steel);
  // Spring bars where the strap meets the lugs.
  c.Fill(Capsule(Pt{kStrapL - 1, 24}, Pt{kStrapR + 1, 24}, 2), kSteelDark);
  c.Fill(Capsule(Pt{kStrapL - 1, 156}, Pt{kStrapR + 1, 156}, 2), kSteelDark);

  c.Fill(Crown(), Linear(Pt{0, 80}, Pt{0, 100}, {{0, kSteelLight}, {0.5, kSteel}, {1, kSteelDark}}));
  for (double y = 82.5; y < 98; y += 2.2) c.Fill(Capsule(Pt{159, y}, Pt{166.5, y}, 0.7), kSteelDark, 0.7);
  c.Fill(Rect(151, 85, 157, 95), kSteelDark);

  c.Fill(Circle(o, kCaseR), steel);
  c.Fill(Outline(Circle(o, kCaseR - 1.2), 0.8), kSteelLight, 0.6);
  // Brushed bezel: lit the other way, with fine rings.
  c.Fill(Circle(o, kBezelR), Linear(Pt{150, 150}, Pt{30, 30}, {{0, kSteelLight}, {0.5, kSteel}, {1, kSteelDark}}));
  for (double r = kDialR + 0.8; r < kBezelR; r += 0.9) c.Fill(Outline(Circle(o, r), 0.3), kSteelDark, 0.25);
}

void DrawDial(Canvas& c) {
  const Pt o = kFaceCentre;
  c.Fill(Circle(o, kDialR + 0.7), kEdge);
  c.Fill(Circle(o, kDialR), Radial(o, kDialR, {{0, Rgb(46, 50, 44)}, {0.75, Rgb(28, 30, 27)}, {1, Rgb(16, 17, 15)}}));

  // Minute track: fine ticks, bold bars at the hours, a triangle at twelve.
  Ticks(c, o, 57, 60, 6, 0.9, kNumeral, 30);
  for (int h = 1; h < 12; ++h) c.Fill(Capsule(Polar(o, 55.2, h * 30), Polar(o, 59.6, h * 30), 2.2), kNumeral);
  c.Fill(Polygon({Polar(o, 54.5, 0), Polar(o, 60.2, -5.5), Polar(o, 60.2, 5.5)}), Rgb(230, 120, 60));

  TextStyle big{10.5, 2.7, 0.9, 0};
  for (int h = 1; h <= 12; ++h) {
    const std::string s = std::to_string(h);
    const double hw = TextWidth(s, big) / 2, hh = (big.capHeight + big.weight) / 2;
    double r = 50;
    for (;; r -= 0.25) {
      const Pt p = Polar(o, r, h * 30);
      if (std::hypot(std::abs(p.x - o.x) + hw, std::abs(p.y - o.y) + hh) <= 54.5) break;
    }
    const Pt p = Polar(o, r, h * 30);
    c.Fill(TextCentred(s, Pt{p.x, p.y + big.capHeight / 2}, big), kNumeral);
  }
  // The 24-hour ring inside.
  TextStyle small{4.2, 0.95, 0.35, 0};
  for (int h = 1; h <= 12; ++h) {
    const Pt p = Polar(o, 31.5, h * 30);
    c.Fill(TextCentred(std::to_string(h + 12), Pt{p.x, p.y + small.capHeight / 2}, small), Rgb(226, 130, 70));
  }
  c.Fill(Outline(Circle(o, 25.5), 0.6), kNumeral, 0.35);
  GlassGlint(c, o, kDialR, 0.12);
}

}  // namespace

faceformat::Image DrawArmyFace() {
  Canvas c = NewFaceCanvas(kEdge);
  DrawStrap(c, true);
  DrawStrap(c, false);
  DrawCase(c);
  DrawDial(c);
  const Shape silhouette = Union({Circle(kFaceCentre, kCaseR + 0.8), Grow(StrapStub(true), 0.8),
                                  Grow(StrapStub(false), 0.8), Grow(Lugs(), 0.8), Grow(Crown(), 0.8)});
  return FinishFace(c, silhouette, kEdge);
}

}  // namespace art
