// The one way a PaintChip's colour changes.
#pragma once

#include "paintchip/palette.h"

namespace paintchip {

struct SetColorOutcome {
  bool fireColorChanged = false;  // and mark the control modified
  bool redraw = true;             // always, even for the same colour
};

// Stores `next` in `current` when it differs.
SetColorOutcome ApplySetColor(ColorRef& current, ColorRef next);

}  // namespace paintchip
