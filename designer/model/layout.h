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

inline constexpr int kPanelWidth = 556;
inline constexpr int kPanelHeight = 300;

// Creation order is drawing order: outlines first, so everything else lies over them.
std::vector<Placement> LayoutForm(DesignerForm& form);

// The window's pixel sizes from the form's twips (15 twips per pixel).
inline int TwipsToPixels(double twips) { return int(twips / kTwipsPerPixel + 0.5); }

}  // namespace designer
