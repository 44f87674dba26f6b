// The one way the programs turn a face, a size in points and a style into a LOGFONT. The DPI is the caller's:
// the clock draws at the screen's, the designer's preview at the design scale.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "base/units.h"

namespace tkt {

struct FontStyle {
  bool bold = false, italic = false, underline = false, strikeout = false;
};

// At least one pixel high: a height of 0 would ask for the system's default size instead.
inline LOGFONTW LogFontFor(std::wstring_view face, double points, FontStyle style, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -std::max(1, PixelsFromPoints(points, dpi));
  lf.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style.italic;
  lf.lfUnderline = style.underline;
  lf.lfStrikeOut = style.strikeout;
  lf.lfCharSet = DEFAULT_CHARSET;
  face.copy(lf.lfFaceName, std::min<size_t>(face.size(), LF_FACESIZE - 1));
  return lf;
}

}  // namespace tkt
