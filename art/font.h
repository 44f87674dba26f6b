// Our own letterforms: a rounded stroke font (every stroke a thick line with round ends), drawn at any size.
#pragma once

#include <string_view>

#include "art/canvas.h"

namespace art {

struct TextStyle {
  double capHeight = 10;  // pixels from the baseline to the top of a capital
  double weight = 2;      // stroke width in pixels
  double tracking = 0;    // extra pixels between letters
  double slant = 0;       // horizontal shift per pixel of height (0.2 leans right)
};

// Width from the left edge of the first stroke to the right edge of the last.
double TextWidth(std::string_view text, const TextStyle& style);
// `origin` is the left end of the baseline. Characters without a glyph advance like a blank.
Shape TextShape(std::string_view text, Pt origin, const TextStyle& style);
// Centred horizontally on `centre.x`, baseline at `centre.y`.
Shape TextCentred(std::string_view text, Pt centre, const TextStyle& style);

}  // namespace art
