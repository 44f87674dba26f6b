#include "art/font.h"

#include <map>
#include <vector>

namespace art {

namespace {

// Glyph units: a capital is 10 high, x-height 7, baseline at y = 0, y downwards.
using Line = std::vector<Pt>;
struct Glyph {
  double width = 0;
  std::vector<Line> strokes;
};

Line Arc(double cx, double cy, double rx, double ry, double d0, double d1) {
  return ArcPoints(Pt{cx, cy}, rx, ry, d0, d1, std::max(8, int(std::abs(d1 - d0) / 6)));
}

// Catmull-Rom through the points, for the freer curves (s, 6, 9).
Line Spline(const Line& p) {
  Line out;
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    const Pt p0 = p[i == 0 ? 0 : i - 1], p1 = p[i], p2 = p[i + 1], p3 = p[i + 2 < p.size() ? i + 2 : i + 1];
    for (int k = 0; k < 12; ++k) {
      const double t = k / 12.0, t2 = t * t, t3 = t2 * t;
      auto f = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
      };
      out.push_back(Pt{f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)});
    }
  }
  out.push_back(p.back());
  return out;
}

Line Join(std::initializer_list<Line> parts) {
  Line out;
  for (const Line& l : parts) out.insert(out.end(), l.begin(), l.end());
  return out;
}

Line Turned(const Line& l, double w, double h) {  // half a turn inside a w x h box
  Line out;
  for (const Pt& p : l) out.push_back(Pt{w - p.x, -h - p.y});
  return out;
}

std::map<char, Glyph> MakeGlyphs() {
  std::map<char, Glyph> g;
  const Line bowl = Arc(3.4, -3.5, 3.4, 3.5, 0, 360);
  g['T'] = {7, {{{0, -10}, {7, -10}}, {{3.5, -10}, {3.5, 0}}}};
  g['O'] = {9.4, {Arc(4.7, -5, 4.7, 5, 0, 360)}};
  g['C'] = {8.6, {Arc(4.7, -5, 4.7, 5, 50, -230)}};
  g['D'] = {8.2, {Join({{{3.4, -10}, {0, -10}, {0, 0}, {3.4, 0}}, Arc(3.4, -5, 4.8, 5, 180, 0)})}};
  g['E'] = {6, {{{6, -10}, {0, -10}, {0, 0}, {6, 0}}, {{0, -5}, {5, -5}}}};
  g['F'] = {6, {{{6, -10}, {0, -10}, {0, 0}}, {{0, -5}, {5, -5}}}};
  g['L'] = {5.8, {{{0, -10}, {0, 0}, {5.8, 0}}}};
  g['I'] = {0, {{{0, -10}, {0, 0}}}};
  g['V'] = {7.6, {{{0, -10}, {3.8, 0}, {7.6, -10}}}};
  g['X'] = {7.4, {{{0, -10}, {7.4, 0}}, {{7.4, -10}, {0, 0}}}};
  g['S'] = {6.8, {Spline({{6.3, -8.6}, {3.5, -10}, {0.5, -8.4}, {1.4, -5.8}, {5.4, -4.4}, {6.4, -1.6}, {3.3, 0}, {0.2, -1.4}})}};

  g['a'] = {6.8, {bowl, {{6.8, -7}, {6.8, 0}}}};
  g['c'] = {6.0, {Arc(3.3, -3.5, 3.3, 3.5, 52, -232)}};
  g['d'] = {6.8, {bowl, {{6.8, -10.5}, {6.8, 0}}}};
  g['e'] = {6.8, {Join({{{0.1, -3.6}, {6.8, -3.6}}, Arc(3.4, -3.5, 3.4, 3.5, 88, -226)})}};
  g['f'] = {5.0, {Join({{{1.7, 0}, {1.7, -8.0}}, Arc(3.7, -8.0, 2.0, 2.3, 270, 405)}), {{0, -6.8}, {4.2, -6.8}}}};
  g['g'] = {6.8, {bowl, Join({{{6.8, -7}, {6.8, 0.8}}, Arc(3.4, 0.8, 3.4, 2.4, 90, 238)})}};
  g['i'] = {0, {{{0, -7}, {0, 0}}, {{0, -9.9}}}};
  g['k'] = {5.8, {{{0, -10.5}, {0, 0}}, {{5.4, -7}, {0.2, -2.8}}, {{2.3, -4.6}, {5.8, 0}}}};
  g['l'] = {0, {{{0, -10.5}, {0, 0}}}};
  g['n'] = {5.8, {{{0, -7}, {0, 0}}, Join({Arc(2.9, -4.3, 2.9, 2.8, 270, 450), {{5.8, 0}}})}};
  g['o'] = {6.8, {bowl}};
  g['r'] = {4.4, {{{0, -7}, {0, 0}}, Arc(3.3, -3.9, 3.3, 3.1, 270, 375)}};
  g['s'] = {5.6, {Spline({{5.2, -6.1}, {2.9, -7}, {0.4, -5.6}, {1.3, -4.0}, {4.4, -3.1}, {5.4, -1.2}, {2.8, 0}, {0.1, -0.9}})}};
  g['t'] = {4.4, {Join({{{1.7, -9.4}, {1.7, -1.8}}, Arc(3.5, -1.8, 1.8, 1.8, 270, 180), {{4.4, 0}}}), {{0, -7}, {4.2, -7}}}};
  g['v'] = {6.2, {{{0, -7}, {3.1, 0}, {6.2, -7}}}};

  g['0'] = {6.4, {Arc(3.2, -5, 3.2, 5, 0, 360)}};
  g['1'] = {3.0, {{{0.2, -7.8}, {3.0, -10}, {3.0, 0}}}};
  g['2'] = {6.2, {Join({Arc(3.1, -7.0, 3.0, 3.0, -75, 112), {{0, 0}, {6.2, 0}}})}};
  g['3'] = {6.2, {Join({Arc(3.0, -7.5, 2.7, 2.5, -65, 180), Arc(3.1, -2.6, 3.1, 2.6, 0, 242)})}};
  g['4'] = {6.4, {{{4.8, 0}, {4.8, -10}, {0, -3.2}, {6.4, -3.2}}}};
  g['5'] = {6.2, {Join({{{5.8, -10}, {0.9, -10}, {0.5, -5.6}}, Arc(3.1, -3.1, 3.1, 3.1, -52, 232)})}};
  const Line six = Spline({{5.2, -9.7}, {2.9, -9.6}, {0.7, -7.2}, {0.0, -3.4}});
  const Line sixBowl = Arc(3.15, -3.15, 3.15, 3.15, 0, 360);
  g['6'] = {6.3, {six, sixBowl}};
  g['7'] = {6.2, {{{0, -10}, {6.2, -10}, {2.2, 0}}}};
  g['8'] = {6.2, {Arc(3.1, -7.6, 2.6, 2.4, 0, 360), Arc(3.1, -2.7, 3.1, 2.7, 0, 360)}};
  g['9'] = {6.3, {Turned(six, 6.3, 10), Turned(sixBowl, 6.3, 10)}};

  g['.'] = {0, {{{0, -0.6}}}};
  g[':'] = {0, {{{0, -6.2}}, {{0, -0.9}}}};
  g['-'] = {3.6, {{{0, -4.2}, {3.6, -4.2}}}};
  g[' '] = {3.0, {}};
  return g;
}

const std::map<char, Glyph>& Glyphs() {
  static const std::map<char, Glyph> glyphs = MakeGlyphs();
  return glyphs;
}

const Glyph& GlyphOf(char c) {
  const auto& all = Glyphs();
  auto it = all.find(c);
  return it == all.end() ? all.at(' ') : it->second;
}

}  // namespace

double TextWidth(std::string_view text, const TextStyle& st) {
  const double k = st.capHeight / 10.0;
  double w = 0;
  for (char c : text) w += GlyphOf(c).width * k + st.weight + st.tracking;
  return text.empty() ? 0 : w - st.tracking;
}

Shape TextShape(std::string_view text, Pt origin, const TextStyle& st) {
  const double k = st.capHeight / 10.0;
  std::vector<Shape> strokes;
  double x = origin.x + st.weight / 2;
  for (char c : text) {
    const Glyph& g = GlyphOf(c);
    for (const Line& line : g.strokes) {
      std::vector<Pt> pts;
      for (const Pt& p : line) pts.push_back(Pt{x + p.x * k - p.y * k * st.slant, origin.y + p.y * k});
      strokes.push_back(Stroke(pts, st.weight));
    }
    x += g.width * k + st.weight + st.tracking;
  }
  if (strokes.empty()) return Circle(origin, -1);
  return Union(strokes);
}

Shape TextCentred(std::string_view text, Pt centre, const TextStyle& st) {
  return TextShape(text, Pt{centre.x - TextWidth(text, st) / 2, centre.y}, st);
}

}  // namespace art
