// Where the parts of a PaintChip button lie, independent of any drawing library.
#pragma once

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

// The two parts share one pixel column.
ChipRect SwatchPart(const ChipRect& bounds, int arrowPartWidth);
ChipRect ArrowPart(const ChipRect& bounds, int arrowPartWidth);
ChipRect ColorWell(const ChipRect& swatchPart);
// Top-left corner of the arrow glyph, centred in the arrow part.
ChipPoint GlyphOrigin(const ChipRect& arrowPart, int glyphWidth, int glyphHeight);

enum class ChipPart { None, Arrow, Swatch };
// The arrow part wins the shared column: a press there opens the palette.
ChipPart HitTest(const ChipRect& bounds, int arrowPartWidth, int x, int y);

}  // namespace paintchip
