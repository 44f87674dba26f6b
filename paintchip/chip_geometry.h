// Where the parts of a PaintChip button lie, independent of any drawing library.
#pragma once

#include "base/units.h"

namespace paintchip {

// Half-open like a Windows RECT: a point is inside when left <= x < right and top <= y < bottom.
struct ChipRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  ChipRect Inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
  bool operator==(const ChipRect&) const = default;
};

struct ChipPoint {
  int x = 0, y = 0;
  bool operator==(const ChipPoint&) const = default;
};

// The arrow part is the glyph's width plus room for the edges around it.
constexpr int ArrowPartWidthFor(int glyphWidth) { return glyphWidth + 5; }


// The button's sizes at a display scale; at 96 DPI the ones it has always had.
struct ChipMetrics {
  int glyphWidth = 7, glyphHeight = 4;  // the drop-down arrow: rows of glyphWidth, glyphWidth - 2, ... 1 pixels
  int arrowPartWidth = ArrowPartWidthFor(7);
  int edgeOuter = 1, edgeInner = 1;  // the two lines of a raised, sunken or etched edge
  int wellInset = 4;                 // the colour well inside the swatch part
  int line = 1;                      // the focus frame's and the well frame's width
  int focusInset = 3;                // the focus frame inside the swatch part, between its edge and well
  int sharedColumns = 1;             // the swatch's right edge under the arrow part's left one
  bool operator==(const ChipMetrics&) const = default;
};
ChipMetrics ChipMetricsAt(int dpi);

// The two parts share the outer edge line's column(s).
ChipRect SwatchPart(const ChipRect& bounds, int arrowPartWidth);
ChipRect ArrowPart(const ChipRect& bounds, int arrowPartWidth, int sharedColumns = 1);
ChipRect ColorWell(const ChipRect& swatchPart, int inset = 4);
// Top-left corner of the arrow glyph, centred in the arrow part.
ChipPoint GlyphOrigin(const ChipRect& arrowPart, int glyphWidth, int glyphHeight);

enum class ChipPart { None, Arrow, Swatch };
// The arrow part wins the shared column: a press there opens the palette.
ChipPart HitTest(const ChipRect& bounds, int arrowPartWidth, int x, int y, int sharedColumns = 1);

// A cell of the palette popup: the size an owner-drawn item asks for (the menu adds its check-mark room) and
// how far in the colour starts.
struct PaletteCell {
  int width = 7, height = 16, inset = 2;
  bool operator==(const PaletteCell&) const = default;
};
PaletteCell PaletteCellAt(int dpi);

}  // namespace paintchip
