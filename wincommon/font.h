// The one way the programs turn a face, a size in points and a style into a LOGFONT. The DPI is the caller's:
// the clock draws at the screen's, the designer's preview at the design scale.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "base/font_look.h"
#include "base/units.h"

namespace tkt {

// `face` is the font's name in UTF-16. At least one pixel high: a height of 0 would ask for the system's default
// size instead.
template <class Char>
LOGFONTW LogFontFor(std::wstring_view face, const BasicFontLook<Char>& font, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -std::max(1, PixelsFromPoints(font.size, dpi));
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikethru;
  lf.lfCharSet = DEFAULT_CHARSET;
  face.copy(lf.lfFaceName, std::min<size_t>(face.size(), LF_FACESIZE - 1));
  return lf;
}

}  // namespace tkt
