// kaichu: a gold pocket watch with its crown and bow. The template's hands are near-white with a grey
// second hand and reach 42 pixels, so the dial is deep blue enamel with the numerals just outside them.
#include <cmath>

#include "art/face_common.h"
#include "art/faces.h"
#include "art/font.h"

namespace art {

namespace {

const Color kEdge = Rgb(74, 48, 12);
const Color kGoldLight = Rgb(252, 232, 160);
const Color kGold = Rgb(214, 168, 66);
const Color kGoldDark = Rgb(132, 88, 24);
const Color kNumeral = Rgb(238, 212, 142);

constexpr double kCaseR = 70, kBezelR = 65.5, kDialR = 60.5;
constexpr Pt kBowCentre{90, 10};

// The bow is a ring: the desktop shows through it above the crown.
Shape Bow() { return Subtract(Ellipse(kBowCentre, 15.5, 9.5), Ellipse(kBowCentre, 10.8, 5.6)); }
Shape Crown() { return RoundRect(80.5, 11, 99.5, 21.5, 3); }

Paint GoldAcross(Pt c, double r, bool lightTopLeft) {
  const Pt a{c.x - r * 0.7, c.y - r * 0.7}, b{c.x + r * 0.7, c.y + r * 0.7};
  std::vector<Stop> stops = {{0, kGoldLight}, {0.45, kGold}, {1, kGoldDark}};
  return lightTopLeft ? Linear(a, b, stops) : Linear(b, a, stops);
}

void DrawBowAndCrown(Canvas& c) {
  // The bow: a gold loop through the pendant, drawn as a ring with a rounded tube.
  const Pt bowC = kBowCentre;
  const Shape bow = Bow();
  c.Fill(bow, Linear(Pt{90, 1}, Pt{90, 22}, {{0, kGoldLight}, {0.5, kGold}, {1, kGoldDark}}));
  c.Fill(Outline(Ellipse(bowC, 13.2, 7.6), 0.9), kGoldLight, 0.55);

  // Crown: a knurled cylinder on a short neck.
  const Shape neck = RoundRect(85, 19, 95, 24, 1.5);
  c.Fill(neck, Linear(Pt{85, 0}, Pt{95, 0}, {{0, kGoldDark}, {0.35, kGoldLight}, {1, kGoldDark}}));
  const Shape crown = Crown();
  c.Fill(crown, Linear(Pt{80.5, 0}, Pt{99.5, 0}, {{0, kGoldDark}, {0.3, kGoldLight}, {0.55, kGold}, {1, kGoldDark}}));
  for (double x = 83.5; x <= 97; x += 2) {
    c.Fill(Intersect(Capsule(Pt{x, 12.5}, Pt{x, 20}, 0.8), crown), kGoldDark, 0.7);
  }
  c.Fill(Capsule(Pt{82.5, 12.2}, Pt{97.5, 12.2}, 0.8), kGoldLight, 0.6);
}

void DrawCase(Canvas& c) {
  c.Fill(Circle(kFaceCentre, kCaseR), GoldAcross(kFaceCentre, kCaseR, true));
  // Bezel: lit from the other side, so it reads as a step down to the dial.
  c.Fill(Circle(kFaceCentre, kBezelR), GoldAcross(kFaceCentre, kBezelR, false));
  c.Fill(Outline(Circle(kFaceCentre, kCaseR - 1.4), 0.9), kGoldLight, 0.5);
  c.Fill(Outline(Circle(kFaceCentre, kBezelR), 0.8), kGoldDark, 0.8);
  // Reeding on the bezel.
  for (int i = 0; i < 120; ++i) {
    c.Fill(Capsule(Polar(kFaceCentre, kDialR + 1.2, i * 3), Polar(kFaceCentre, kBezelR - 0.8, i * 3), 0.6), kGoldDark,
           0.35);
  }
}

void DrawDial(Canvas& c) {
  const Pt o = kFaceCentre;
  c.Fill(Circle(o, kDialR + 0.6), kGoldDark);
  c.Fill(Circle(o, kDialR), Radial(o, kDialR, {{0, Rgb(44, 62, 112)}, {0.7, Rgb(26, 38, 76)}, {1, Rgb(12, 18, 40)}}));
  // Guilloche: fine concentric rings in the centre.
  for (double r = 6; r <= 33; r += 1.8) c.Fill(Outline(Circle(o, r), 0.45), Rgb(120, 150, 210), 0.16);
  c.Fill(Outline(Circle(o, 35), 0.7), kNumeral, 0.55);

  // Minute track.
  c.Fill(Outline(Circle(o, 57.5), 0.7), kNumeral, 0.9);
  c.Fill(Outline(Circle(o, 53.2), 0.7), kNumeral, 0.9);
  Ticks(c, o, 53.4, 57.3, 6, 0.7, kNumeral, 30);
  for (int h = 0; h < 12; ++h) c.Fill(Circle(Polar(o, 55.35, h * 30), 1.35), kNumeral);

  // Roman numerals, upright.
  static const char* kRoman[12] = {"XII", "I", "II", "III", "IIII", "V", "VI", "VII", "VIII", "IX", "X", "XI"};
  TextStyle st{7, 1.1, 1.05, 0};
  for (int h = 0; h < 12; ++h) {
    // As far out as the numeral's box stays clear of the track.
    const double hw = TextWidth(kRoman[h], st) / 2, hh = (st.capHeight + st.weight) / 2;
    double r = 47;
    for (;; r -= 0.25) {
      const Pt p = Polar(o, r, h * 30);
      const double dx = std::abs(p.x - o.x) + hw, dy = std::abs(p.y - o.y) + hh;
      if (std::hypot(dx, dy) <= 51.5) break;
    }
    const Pt p = Polar(o, r, h * 30);
    c.Fill(TextCentred(kRoman[h], Pt{p.x, p.y + st.capHeight / 2}, st), kNumeral);
  }

  // A small star under twelve.
  std::vector<Pt> star;
  for (int i = 0; i < 10; ++i) star.push_back(Polar(Pt{90, 66}, i % 2 ? 1.4 : 3.6, i * 36));
  c.Fill(Polygon(star), kNumeral);
  GlassGlint(c, o, kDialR, 0.14);
}

}  // namespace

faceformat::Image DrawKaichuFace() {
  Canvas c = NewFaceCanvas(kEdge);
  DrawBowAndCrown(c);
  DrawCase(c);
  DrawDial(c);
  const Shape silhouette = Union({Circle(kFaceCentre, kCaseR + 0.8), Grow(Bow(), 0.8), Grow(Crown(), 0.8),
                                  RoundRect(84.2, 18.2, 95.8, 25, 2)});
  return FinishFace(c, silhouette, kEdge);
}

}  // namespace art
