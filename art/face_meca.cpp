// meca: a skeleton watch. The template's hands are long (60 pixels), wide and bright (white, yellow, blue)
// with a red ring of radius 20 round the centre, so the open movement sits on a dark plate inside a
// chapter ring that starts just beyond the hands.
#include <cmath>

#include "art/face_common.h"
#include "art/faces.h"
#include "art/gears.h"

namespace art {

namespace {

const Color kEdge = Rgb(30, 32, 38);
const Color kSteelLight = Rgb(236, 238, 242);
const Color kSteel = Rgb(160, 166, 176);
const Color kSteelDark = Rgb(74, 80, 92);
const Color kBrassLight = Rgb(250, 222, 140);
const Color kBrass = Rgb(204, 156, 62);
const Color kBrassDark = Rgb(126, 86, 26);
const Color kPlate = Rgb(50, 54, 64);
const Color kRuby = Rgb(200, 30, 60);
const Color kBlued = Rgb(40, 70, 170);

constexpr double kCaseR = 85.5, kRingOuter = 79, kRingInner = 63;

struct Gear {
  Wheel w;
  bool brass;
};

void DrawWheel(Canvas& c, const Gear& g) {
  const Wheel& w = g.w;
  const Shape s = WheelShape(w);
  c.Soft(Moved(s, 1.2, 1.8), Rgb(0, 0, 0), 1.4, 0.45);
  const Color light = g.brass ? kBrassLight : kSteelLight, mid = g.brass ? kBrass : kSteel,
              dark = g.brass ? kBrassDark : kSteelDark;
  c.Fill(s, Linear(Pt{w.c.x - w.r, w.c.y - w.r}, Pt{w.c.x + w.r, w.c.y + w.r}, {{0, light}, {0.5, mid}, {1, dark}}));
  // Circular graining on the rim, a bevel line inside it.
  c.Fill(Intersect(Outline(Circle(w.c, w.r * 0.8), 0.6), s), dark, 0.5);
  c.Fill(Intersect(Outline(Circle(w.c, w.r * 0.62), 0.4), s), light, 0.35);
  // Pinion and jewelled arbor.
  c.Fill(Circle(w.c, std::max(2.2, w.r * 0.16)), Radial(Pt{w.c.x - 0.6, w.c.y - 0.6}, 3, {{0, kSteelLight}, {1, kSteelDark}}));
  c.Fill(Circle(w.c, 1.3), kRuby);
  c.Fill(Circle(Pt{w.c.x - 0.4, w.c.y - 0.4}, 0.45), Rgb(255, 170, 180), 0.8);
}

void DrawScrew(Canvas& c, Pt p) {
  c.Fill(Circle(p, 2.4), Radial(Pt{p.x - 0.8, p.y - 0.8}, 3.2, {{0, Rgb(110, 150, 240)}, {1, kBlued}}));
  c.Fill(Capsule(Pt{p.x - 1.6, p.y + 0.9}, Pt{p.x + 1.6, p.y - 0.9}, 0.6), Rgb(12, 20, 60));
}

void DrawJewel(Canvas& c, Pt p) {
  c.Fill(Circle(p, 2.8), Radial(p, 2.8, {{0, kSteelLight}, {1, kSteel}}));
  c.Fill(Circle(p, 1.7), Radial(Pt{p.x - 0.5, p.y - 0.5}, 2, {{0, Rgb(250, 120, 140)}, {1, kRuby}}));
}

void DrawBridge(Canvas& c, std::vector<Pt> path, double width) {
  const Shape b = Stroke(path, width);
  c.Soft(Moved(b, 1.2, 1.8), Rgb(0, 0, 0), 1.4, 0.5);
  c.Fill(b, Linear(Pt{40, 40}, Pt{140, 140}, {{0, kSteelLight}, {0.5, kSteel}, {1, kSteelDark}}));
  c.Fill(Stroke(path, width * 0.45), Rgb(255, 255, 255), 0.16);
  c.Fill(Outline(b, 0.6), kSteelDark, 0.7);
}

void DrawMovement(Canvas& c) {
  const Pt o = kFaceCentre;
  c.Fill(Circle(o, kRingInner + 1), Radial(o, kRingInner, {{0, Shade(kPlate, 1.25)}, {1, Shade(kPlate, 0.8)}}));
  // Perlage: rows of overlapping faint circles.
  for (double y = 34; y < 150; y += 7) {
    for (double x = 30 + (int(y) % 2 ? 3.5 : 0); x < 152; x += 7) {
      if (std::hypot(x - o.x, y - o.y) > kRingInner - 3) continue;
      c.Fill(Outline(Circle(Pt{x, y}, 3.6), 0.6), Rgb(255, 255, 255), 0.05);
    }
  }

  const Gear escape{{{108, 133}, 13, 15, 5, 4}, false};
  const Gear third{{{55, 117}, 21, 40, 6, 11}, true};
  const Gear fourth{{{127, 63}, 19, 36, 4, 20}, false};
  const Gear small{{{60, 63}, 12.5, 24, 4, 6}, true};
  const Gear centre{{o, 33, 60, 5, 0}, true};
  DrawWheel(c, escape);
  DrawWheel(c, third);
  DrawWheel(c, fourth);
  DrawWheel(c, small);

  // Balance wheel with its blued hairspring, lower right.
  const Pt bal{131, 113};
  std::vector<Pt> spiral;
  for (int i = 0; i <= 220; ++i) spiral.push_back(Polar(bal, 2.5 + i * 0.046, i * 360.0 / 55));
  c.Fill(Stroke(spiral, 0.55), Rgb(90, 130, 230), 0.85);
  const Shape balance = Union({Ring(bal, 11.5, 14), Capsule(Polar(bal, 12, 60), Polar(bal, 12, 240), 2)});
  c.Soft(Moved(balance, 1.2, 1.8), Rgb(0, 0, 0), 1.4, 0.45);
  c.Fill(balance, Linear(Pt{118, 100}, Pt{145, 127}, {{0, kBrassLight}, {0.5, kBrass}, {1, kBrassDark}}));
  for (int i = 0; i < 8; ++i) c.Fill(Circle(Polar(bal, 14.2, i * 45 + 22), 1.1), kBrassDark);

  DrawWheel(c, centre);

  // Bridges with jewels and blued screws.
  DrawBridge(c, {{36, 78}, {56, 63}, {80, 50}}, 6);
  DrawBridge(c, {{110, 150}, {131, 113}, {146, 100}}, 6.5);
  DrawBridge(c, {{127, 63}, {142, 74}}, 5.5);
  DrawJewel(c, Pt{56, 63});
  DrawJewel(c, Pt{131, 113});
  DrawJewel(c, Pt{127, 63});
  DrawScrew(c, Pt{38, 77});
  DrawScrew(c, Pt{79, 51});
  DrawScrew(c, Pt{111, 148});
  DrawScrew(c, Pt{145, 101});
  DrawScrew(c, Pt{141, 73.5});
}

void DrawChapterRing(Canvas& c) {
  const Pt o = kFaceCentre;
  const Shape ring = Ring(o, kRingInner, kRingOuter);
  c.Soft(Ring(o, kRingInner - 1.5, kRingOuter), Rgb(0, 0, 0), 1.6, 0.6);
  c.Fill(ring, Radial(o, kRingOuter, {{0.78, Rgb(232, 234, 238)}, {0.92, Rgb(206, 210, 218)}, {1, Rgb(176, 182, 192)}}));
  c.Fill(Outline(Circle(o, kRingInner), 0.8), kSteelDark);
  c.Fill(Outline(Circle(o, 74.5), 0.6), Rgb(40, 44, 56), 0.85);
  Ticks(c, o, 74.8, 77.8, 6, 0.8, Rgb(40, 44, 56), 30);
  // Applied hour batons; twelve gets a pair.
  for (int h = 0; h < 12; ++h) {
    const double d = h * 30;
    std::vector<double> offsets = h == 0 ? std::vector<double>{-2.6, 2.6} : std::vector<double>{0};
    for (double off : offsets) {
      const Pt a = Polar(Polar(o, 65.5, d), off, d + 90), b = Polar(Polar(o, 77.5, d), off, d + 90);
      c.Fill(Capsule(a, b, 3.8), Rgb(24, 30, 52));
      c.Fill(Capsule(Polar(a, 0.5, d + 90), Polar(b, 0.5, d + 90), 1.0), Rgb(120, 140, 200), 0.7);
    }
  }
}

void DrawCase(Canvas& c) {
  const Pt o = kFaceCentre;
  c.Fill(RoundRect(84, 0.5, 96, 7, 2), Linear(Pt{84, 0}, Pt{96, 0}, {{0, kSteelDark}, {0.35, kSteelLight}, {1, kSteelDark}}));
  for (double x = 86; x < 95; x += 2) c.Fill(Capsule(Pt{x, 1.5}, Pt{x, 5.5}, 0.6), kSteelDark, 0.6);
  c.Fill(Ring(o, kRingOuter - 0.5, kCaseR),
         Linear(Pt{20, 20}, Pt{160, 160}, {{0, kSteelLight}, {0.5, kSteel}, {1, kSteelDark}}));
  c.Fill(Ring(o, kRingOuter - 0.5, kCaseR - 3),
         Linear(Pt{160, 160}, Pt{20, 20}, {{0, kSteelLight}, {0.5, kSteel}, {1, kSteelDark}}));
  c.Fill(Outline(Circle(o, kRingOuter), 0.8), kSteelDark);
  GlassGlint(c, o, kRingOuter, 0.10);
}

}  // namespace

faceformat::Image DrawMecaFace() {
  Canvas c = NewFaceCanvas(kEdge);
  DrawMovement(c);
  DrawChapterRing(c);
  DrawCase(c);
  const Shape silhouette = Union(Circle(kFaceCentre, kCaseR + 0.8), RoundRect(83.2, -0.3, 96.8, 8, 2.5));
  return FinishFace(c, silhouette, kEdge);
}

}  // namespace art
