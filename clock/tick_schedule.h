// Timer1 is re-armed on every tick for just after the next whole second, so each second of the wall
// clock is seen once: a free-running 1000 ms timer drifts and now and then skips or doubles a second,
// which silences or restarts a chime.
#pragma once

#include <optional>

#include "form1_model.h"

namespace tkt {

inline constexpr int kTickMarginMs = 15;

// Milliseconds from a time with this millisecond part to just after the next whole second.
inline int DelayToNextSecondMs(int millisecond) { return 1000 - millisecond + kTickMarginMs; }

// Lets a tick through once per wall-clock second. A timer that fires early (still in the second
// already shown) is held back; a late one (a second skipped after a suspend) still goes through.
class TickGate {
 public:
  bool Admit(const ClockTime& now) {
    ClockTime second = now;
    second.millisecond = 0;
    if (last_ == second) return false;
    last_ = second;
    return true;
  }

 private:
  std::optional<ClockTime> last_;
};

}  // namespace tkt
