// Where each control of the main window sits, in pixels at 96 DPI, apart from how it is drawn.
// Boxes are relative to the page panel that holds the control (the tab control's display area).
#pragma once

#include <optional>
#include <vector>

#include "form.h"

namespace designer {

struct PixelBox {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
  bool Overlaps(const PixelBox& o) const { return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom(); }
  bool Contains(const PixelBox& o) const { return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom(); }
};

enum class Look {
  Plain,
  Heading,     // bold label
  Wrapping,    // label over several lines
  BoxOnly,     // check box drawn without its caption; the caption sits in `captionBox`
  Outline,     // a rectangle shape drawn as a thin frame
  Swatch,      // a filled rectangle with a dark edge
};

struct Placement {
  Control* control = nullptr;
  Control* frame = nullptr;  // the page frame the control sits on
  PixelBox box;
  Look look = Look::Plain;
  std::optional<PixelBox> captionBox;  // BoxOnly: where the caption is shown (clicking it clicks the box)
};

// Visible itself and in every container below its page frame (the frame's panel shows the rest).
inline bool VisibleOnPage(const Control& c, const Control* frame) {
  for (const Control* p = &c; p && p != frame; p = p->container) {
    if (!p->visible) return false;
  }
  return true;
}

inline constexpr int kPanelWidth = 556;
inline constexpr int kPanelHeight = 300;

// Creation order is drawing order: outlines first, so everything else lies over them.
std::vector<Placement> LayoutForm(DesignerForm& form);

// The region file maker's window: the test lines' canvas and the picture on the left, a column of labels,
// fields and buttons on the right as wide as its longest text, in a frame. Client pixels at 96 DPI.
enum class MakerItem {
  Label1, CommandButton1, Label3, Text1, Command2, Label2, Label4, Text2, Command3, Command1, Command4
};
struct MakerPlacement {
  MakerItem item;
  PixelBox box;
};
struct MakerLayout {
  std::vector<MakerPlacement> items;  // in creation (tab) order
  PixelBox canvas;                    // where the test lines are drawn
  PixelBox picture;                   // Picture1 until a picture sizes it
  PixelBox frame;                     // Shape1, around the column
  int clientWidth = 0, clientHeight = 0;
};
inline constexpr int kMakerMinColumn = 380;
// `column`: the column's width, at least kMakerMinColumn.
MakerLayout LayoutMaker(int column);

// The window's pixel sizes from the form's twips (15 twips per pixel).
inline int TwipsToPixels(double twips) { return int(twips / tkt::kDesignTwipsPerPixel + 0.5); }

}  // namespace designer
