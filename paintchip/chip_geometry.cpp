#include "paintchip/chip_geometry.h"

namespace paintchip {

ChipRect SwatchPart(const ChipRect& bounds, int arrowPartWidth) {
  ChipRect r = bounds;
  r.right = bounds.right - arrowPartWidth;
  return r;
}

ChipRect ArrowPart(const ChipRect& bounds, int arrowPartWidth) {
  ChipRect r = bounds;
  r.left = bounds.right - arrowPartWidth - 1;
  return r;
}

ChipRect ColorWell(const ChipRect& swatchPart) { return swatchPart.Inflated(-4); }

ChipPoint GlyphOrigin(const ChipRect& arrowPart, int glyphWidth, int glyphHeight) {
  const int cx = (arrowPart.left + arrowPart.right) / 2;
  const int cy = (arrowPart.top + arrowPart.bottom) / 2;
  return {cx - glyphWidth / 2, cy - glyphHeight / 2};
}

ChipPart HitTest(const ChipRect& bounds, int arrowPartWidth, int x, int y) {
  if (ArrowPart(bounds, arrowPartWidth).Contains(x, y)) return ChipPart::Arrow;
  if (SwatchPart(bounds, arrowPartWidth).Contains(x, y)) return ChipPart::Swatch;
  return ChipPart::None;
}

}  // namespace paintchip
