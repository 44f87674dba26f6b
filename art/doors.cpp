// The clock's cuckoo doors, 30 x 26 each: kind 1 a square double door, kind 2 an arched door; shut, and
// open with a small white bird looking out.
#include "art/pictures.h"

namespace art {

namespace {

const Color kBoard = Rgb(196, 146, 88);
const Color kBoardDark = Rgb(120, 72, 36);
const Color kDoor = Rgb(164, 106, 56);
const Color kDoorDark = Rgb(112, 66, 32);
const Color kInside = Rgb(34, 18, 8);

constexpr int kW = 30, kH = 26;

void DrawBoard(Canvas& c) {
  c.Fill(Rect(0, 0, kW, kH), Linear(Pt{0, 0}, Pt{kW, kH}, {{0, Shade(kBoard, 1.12)}, {1, kBoardDark}}));
  c.Fill(Outline(Rect(0.5, 0.5, kW - 0.5, kH - 0.5), 1), Shade(kBoardDark, 0.8));
}

void DrawPlanks(Canvas& c, const Shape& door, double x0, double x1) {
  c.Fill(door, Linear(Pt{x0, 0}, Pt{x1, 0}, {{0, Shade(kDoor, 1.1)}, {1, kDoorDark}}));
  for (double x = x0 + 3.5; x < x1 - 1; x += 3.5) c.Fill(Intersect(Capsule(Pt{x, 0}, Pt{x, kH}, 0.6), door), kDoorDark, 0.7);
}

// The bird faces left, calling: white body, orange beak open, a black eye, a grey wing line.
void DrawBird(Canvas& c, Pt head) {
  const Shape body = Union({Ellipse(Pt{head.x + 5.2, head.y + 6}, 5.8, 4.2), Circle(head, 3.6),
                            Polygon({{head.x + 9, head.y + 4.5}, {head.x + 12.5, head.y + 2.2}, {head.x + 12, head.y + 7}})});
  c.Soft(Moved(body, 0.5, 0.8), Rgb(0, 0, 0), 0.8, 0.5);
  c.Fill(body, Linear(Pt{head.x, head.y - 4}, Pt{head.x, head.y + 11}, {{0, Rgb(254, 254, 254)}, {1, Rgb(206, 210, 220)}}));
  c.Fill(Stroke(ArcPoints(Pt{head.x + 6, head.y + 5}, 3.8, 2.3, 210, 90), 0.8), Rgb(150, 156, 170));
  const Color beak = Rgb(244, 150, 30);
  c.Fill(Polygon({{head.x - 3.0, head.y - 1.2}, {head.x - 7.0, head.y - 0.8}, {head.x - 3.2, head.y + 0.6}}), beak);
  c.Fill(Polygon({{head.x - 3.2, head.y + 1.0}, {head.x - 6.2, head.y + 2.6}, {head.x - 2.8, head.y + 2.4}}), Shade(beak, 0.85));
  c.Fill(Circle(Pt{head.x - 0.9, head.y - 1.0}, 0.95), Rgb(10, 10, 10));
}

faceformat::Image Square(bool open) {
  Canvas c(kW, kH);
  DrawBoard(c);
  const double x0 = 5, x1 = 25, y0 = 3, y1 = 23;
  c.Fill(Rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1), kBoardDark);
  if (!open) {
    const double mid = (x0 + x1) / 2;
    DrawPlanks(c, Rect(x0, y0, mid - 0.3, y1), x0, mid);
    DrawPlanks(c, Rect(mid + 0.3, y0, x1, y1), mid, x1);
    c.Fill(Circle(Pt{mid - 1.8, 13}, 0.9), Rgb(232, 200, 120));
    c.Fill(Circle(Pt{mid + 1.8, 13}, 0.9), Rgb(232, 200, 120));
    return c.ToImage(kBoard);
  }
  c.Fill(Rect(x0, y0, x1, y1), kInside);
  // Leaves swung out, seen edge-on.
  const Shape left = Polygon({{1, 1.5}, {x0, y0}, {x0, y1}, {1, 24.5}});
  const Shape right = Polygon({{x1, y0}, {29, 1.5}, {29, 24.5}, {x1, y1}});
  DrawPlanks(c, left, 1, x0);
  DrawPlanks(c, right, x1, 29);
  c.Fill(Outline(left, 0.6), kDoorDark);
  c.Fill(Outline(right, 0.6), kDoorDark);
  DrawBird(c, Pt{12, 10.5});
  c.Fill(Rect(x0, y1 - 2, x1, y1), kBoardDark);
  return c.ToImage(kBoard);
}

Shape Arch(double x0, double x1, double y0, double y1) {
  const double r = (x1 - x0) / 2;
  return Union(Rect(x0, y0 + r, x1, y1), Circle(Pt{(x0 + x1) / 2, y0 + r}, r));
}

faceformat::Image Rounded(bool open) {
  Canvas c(kW, kH);
  DrawBoard(c);
  const double x0 = 6, x1 = 24, y0 = 2.5, y1 = 23.5;
  c.Fill(Grow(Arch(x0, x1, y0, y1), 1), kBoardDark);
  if (!open) {
    const Shape door = Arch(x0, x1, y0, y1);
    DrawPlanks(c, door, x0, x1);
    c.Fill(Outline(Arch(x0 + 2.5, x1 - 2.5, y0 + 2.5, y1 - 2), 0.7), kDoorDark, 0.7);
    c.Fill(Circle(Pt{x1 - 3.2, 15}, 1.0), Rgb(232, 200, 120));
    return c.ToImage(kBoard);
  }
  c.Fill(Arch(x0, x1, y0, y1), kInside);
  // The door swung open to the right, seen edge-on.
  const Shape swung = Polygon({{x1, y0 + 9}, {29, y0 + 5}, {29, 25}, {x1, y1}});
  DrawPlanks(c, swung, x1, 29);
  c.Fill(Outline(swung, 0.6), kDoorDark);
  DrawBird(c, Pt{13, 11.5});
  c.Fill(Rect(x0, y1 - 2, x1, y1), kBoardDark);
  return c.ToImage(kBoard);
}

}  // namespace

faceformat::Image DrawCuckooDoor(int kind, bool open) { return kind == 1 ? Square(open) : Rounded(open); }

}  // namespace art
