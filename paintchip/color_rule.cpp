#include "paintchip/color_rule.h"

namespace paintchip {

SetColorOutcome ApplySetColor(ColorRef& current, ColorRef next) {
  SetColorOutcome out;
  if (next != current) {
    current = next;
    out.fireColorChanged = true;
  }
  return out;
}

}  // namespace paintchip
