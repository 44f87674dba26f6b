#include "paintchip/chip_geometry.h"

#include <algorithm>

namespace paintchip {

ChipMetrics ChipMetricsAt(int dpi) {
  ChipMetrics m;
  if (dpi <= 0 || dpi == tkt::kDesignDpi) return m;
  // An odd width keeps the arrow's point on one column.
  m.glyphWidth = 2 * tkt::ScaleFromPixels96(3, dpi) + 1;
  m.glyphHeight = (m.glyphWidth + 1) / 2;
  const int edge = std::max(2, tkt::ScaleFromPixels96(2, dpi));
  m.edgeOuter = edge / 2;
  m.edgeInner = edge - m.edgeOuter;
  m.arrowPartWidth = std::max(tkt::ScaleFromPixels96(ArrowPartWidthFor(7), dpi), m.glyphWidth + 2 * edge + 1);
  m.line = std::max(1, tkt::ScaleFromPixels96(1, dpi));
  m.wellInset = std::max(tkt::ScaleFromPixels96(4, dpi), edge + m.line + 1);
  m.focusInset = m.wellInset - m.line;
  m.sharedColumns = m.edgeOuter;
  return m;
}

PaletteCell PaletteCellAt(int dpi) {
  const PaletteCell base;
  return {tkt::ScaleFromPixels96(base.width, dpi), tkt::ScaleFromPixels96(base.height, dpi),
          tkt::ScaleFromPixels96(base.inset, dpi)};
}

ChipRect SwatchPart(const ChipRect& bounds, int arrowPartWidth) {
  ChipRect r = bounds;
  r.right = bounds.right - arrowPartWidth;
  return r;
}

ChipRect ArrowPart(const ChipRect& bounds, int arrowPartWidth, int sharedColumns) {
  ChipRect r = bounds;
  r.left = bounds.right - arrowPartWidth - sharedColumns;
  return r;
}

ChipRect ColorWell(const ChipRect& swatchPart, int inset) { return swatchPart.Inflated(-inset); }

ChipPoint GlyphOrigin(const ChipRect& arrowPart, int glyphWidth, int glyphHeight) {
  const int cx = (arrowPart.left + arrowPart.right) / 2;
  const int cy = (arrowPart.top + arrowPart.bottom) / 2;
  return {cx - glyphWidth / 2, cy - glyphHeight / 2};
}

ChipPart HitTest(const ChipRect& bounds, int arrowPartWidth, int x, int y, int sharedColumns) {
  if (ArrowPart(bounds, arrowPartWidth, sharedColumns).Contains(x, y)) return ChipPart::Arrow;
  if (SwatchPart(bounds, arrowPartWidth).Contains(x, y)) return ChipPart::Swatch;
  return ChipPart::None;
}

}  // namespace paintchip
