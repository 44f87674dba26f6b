// The region file maker's layout: a table of lines down the right column, and what sits in each.
#include <algorithm>

#include "layout.h"

namespace designer {

namespace {

constexpr int kCanvas = 180;  // one 180 x 180 face
constexpr int kMargin = 8;
constexpr int kLineH = 18, kFieldH = 24, kChooseW = 64, kBackW = 22, kMakeW = 220;

// How a cell spans the column from its left edge x0 to its right edge x1.
enum class Span {
  Whole,
  BesideBack,  // x0 .. x1 - 30: room for "Ｘ" at the right
  Back,        // the last kBackW
  Field,       // x0 .. left of the choose button
  Choose,      // the last kChooseW
  Make,        // the first kMakeW
};

struct Line {
  int height, gapAfter;
};
constexpr Line kLines[] = {
    {kLineH, 2},  {kLineH, 4}, {kFieldH, 14},  // heading, bitmap label, bitmap field
    {kLineH, 2},  {kLineH, 4}, {kFieldH, 16},  // heading, region file label, region file field
    {32, 10},                                  // the make button
};

struct Cell {
  MakerItem item;
  int line;
  Span span;
  int dy = 0, height = 0;  // from the line's top; 0 height: the line's
};
constexpr Cell kColumn[] = {
    {MakerItem::Label1, 0, Span::BesideBack},
    {MakerItem::CommandButton1, 0, Span::Back, -4, kBackW},
    {MakerItem::Label3, 1, Span::Whole},
    {MakerItem::Text1, 2, Span::Field},
    {MakerItem::Command2, 2, Span::Choose},
    {MakerItem::Label2, 3, Span::Whole},
    {MakerItem::Label4, 4, Span::Whole},
    {MakerItem::Text2, 5, Span::Field},
    {MakerItem::Command3, 5, Span::Choose},
    {MakerItem::Command1, 6, Span::Make},
};

PixelBox Across(Span span, int x0, int x1, int y, int h) {
  switch (span) {
    case Span::Whole: return {x0, y, x1 - x0, h};
    case Span::BesideBack: return {x0, y, x1 - 30 - x0, h};
    case Span::Back: return {x1 - kBackW, y, kBackW, h};
    case Span::Field: return {x0, y, x1 - kChooseW - kMargin - x0, h};
    case Span::Choose: return {x1 - kChooseW, y, kChooseW, h};
    case Span::Make: return {x0, y, kMakeW, h};
  }
  return {};
}

}  // namespace

MakerLayout LayoutMaker(int column) {
  MakerLayout out;
  out.canvas = {0, 0, kCanvas, kCanvas};
  out.picture = {kCanvas + 2 * kMargin, kMargin, kCanvas + 4, kCanvas + 4};
  const int x0 = out.picture.right() + 3 * kMargin, x1 = x0 + std::max(column, kMakerMinColumn);

  int tops[std::size(kLines)];
  int y = kMargin + 4;
  for (size_t i = 0; i < std::size(kLines); ++i) {
    tops[i] = y;
    y += kLines[i].height + kLines[i].gapAfter;
  }
  for (const Cell& c : kColumn) {
    const int h = c.height ? c.height : kLines[c.line].height;
    out.items.push_back({c.item, Across(c.span, x0, x1, tops[c.line] + c.dy, h)});
  }
  // "Test" under the canvas.
  out.items.push_back({MakerItem::Command4, {kMargin + 20, kCanvas + kMargin, kCanvas - 20 - (kMargin + 20), 26}});

  const int bottom = std::max(y, out.picture.bottom() + kMargin);
  out.frame = {x0 - 10, kMargin / 2, x1 - x0 + 20, bottom - 4 - kMargin / 2};
  out.clientWidth = out.frame.right() + kMargin;
  out.clientHeight = std::max(bottom, kCanvas + kMargin + 26 + kMargin);
  return out;
}

}  // namespace designer
