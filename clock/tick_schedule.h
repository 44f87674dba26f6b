// Timer1 is re-armed on every tick for just after the next whole second, so each second of the wall
// clock is seen once: a free-running 1000 ms timer drifts and now and then skips or doubles a second,
// which silences or restarts a chime.
#pragma once

#include <optional>

#include "form1_model.h"

namespace tkt {

inline constexpr int kTickMarginMs = 50;

// Milliseconds from a time with this millisecond part to just after the next whole second.
inline int DelayToNextSecondMs(int millisecond) { return 1000 - millisecond + kTickMarginMs; }

// Re-arming costs a call into the window system on every tick, so the timer runs at 1000 ms while its
// ticks land safely inside the second (kSafeFromMs to kSafeToMs after it) and is re-armed only when
// its phase has drifted out of that window.
class TickTimer {
 public:
  static constexpr int kSafeFromMs = 5;
  static constexpr int kSafeToMs = 300;

  // The interval to arm Timer1 with after a tick at this millisecond, or 0 to leave it as it runs.
  int NextInterval(int millisecond) {
    int wanted = 1000;
    if (millisecond < kSafeFromMs || millisecond > kSafeToMs) wanted = DelayToNextSecondMs(millisecond);
    if (wanted == armed_) return 0;
    armed_ = wanted;
    return wanted;
  }
  // The interval the timer was first armed with.
  void Armed(int interval) { armed_ = interval; }

 private:
  int armed_ = 0;
};

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
