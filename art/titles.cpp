// The logo of the version window and the designer's splash.
#include <algorithm>

#include "tkt_version.h"
#include "art/font.h"
#include "art/gears.h"
#include "art/motif.h"
#include "art/pictures.h"

namespace art {

namespace {

// The product name in bold rounded letters with a soft shadow and a lit top edge; the bowl of the "o"
// is a little clock.
void DrawName(Canvas& c, Pt origin, const TextStyle& st, const Color& top, const Color& bottom, double shadow) {
  const char* name = "Tocktide";
  const Shape text = TextShape(name, origin, st);
  const double k = st.capHeight / 10.0;
  c.Soft(Moved(text, shadow * 0.8, shadow), Rgb(0, 0, 0), shadow * 0.7, 0.4);
  c.Fill(text, Linear(Pt{0, origin.y - st.capHeight}, Pt{0, origin.y}, {{0, top}, {1, bottom}}));
  c.Fill(Subtract(text, Moved(text, 0, st.weight * 0.22)), Rgb(255, 255, 255), 0.35);

  const Pt o{origin.x + TextWidth("T", st) + st.tracking + st.weight / 2 + 3.4 * k, origin.y - 3.5 * k};
  const double inner = 3.4 * k - st.weight / 2;
  c.Fill(Circle(o, inner + 0.3), Rgb(255, 248, 228));
  const double w = std::max(1.0, inner * 0.16);
  const Color ink = Rgb(22, 40, 96);
  for (int h = 0; h < 12; h += 3) c.Fill(Circle(Polar(o, inner * 0.72, h * 30), w * 0.45), ink);
  c.Fill(Capsule(o, Polar(o, inner * 0.45, 305), w * 1.3), ink);
  c.Fill(Capsule(o, Polar(o, inner * 0.68, 60), w), ink);
  c.Fill(Circle(o, w * 0.9), Rgb(214, 48, 40));
}

}  // namespace

faceformat::Image DrawLogo() {
  const Color grey = Rgb(192, 192, 192);
  Canvas c(269, 50, grey);
  const TextStyle st{31, 7, 3, 0};
  const double width = TextWidth("Tocktide", st);
  DrawName(c, Pt{(269 - width) / 2, 41}, st, Rgb(44, 92, 178), Rgb(16, 36, 96), 2.2);
  return c.ToImage(grey);
}

faceformat::Image DrawSplash() {
  const int w = 402, h = 270;
  Canvas c(w, h);
  c.Fill(Rect(0, 0, w, h), Linear(Pt{0, 0}, Pt{0, h}, {{0, Rgb(18, 28, 70)}, {1, Rgb(40, 96, 150)}}));
  c.Soft(Circle(Pt{318, 196}, 120), Rgb(150, 200, 255), 40, 0.25);

  // Faint gears behind everything.
  const Color ghost = Rgb(170, 200, 240);
  c.Fill(WheelShape(Wheel{{40, 236}, 58, 36, 6, 3}), ghost, 0.08);
  c.Fill(WheelShape(Wheel{{128, 262}, 34, 22, 5, 10}), ghost, 0.07);
  c.Fill(WheelShape(Wheel{{384, 26}, 40, 26, 5, 0}), ghost, 0.07);

  DrawClockMotif(c, Pt{322, 196}, 104, 2);

  const TextStyle big{40, 8.5, 3.2, 0};
  DrawName(c, Pt{24, 86}, big, Rgb(255, 255, 255), Rgb(206, 222, 246), 3);
  c.Fill(Capsule(Pt{28, 106}, Pt{196, 106}, 1.4), Rgb(236, 196, 96));
  const TextStyle sub{17, 3.4, 1.8, 0};
  c.Soft(Moved(TextShape("v" TKT_VERSION_TEXT " - TOOL", Pt{28, 140}, sub), 1.2, 1.6), Rgb(0, 0, 0), 1.2, 0.4);
  c.Fill(TextShape("v" TKT_VERSION_TEXT " - TOOL", Pt{28, 140}, sub), Rgb(246, 206, 104));
  const TextStyle small{11, 2, 1.3, 0};
  c.Fill(TextShape("clock face designer", Pt{29, 166}, small), Rgb(200, 220, 246));
  return c.ToImage(Rgb(0, 0, 0));
}

}  // namespace art
