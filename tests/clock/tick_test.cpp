// The second tick: hand tips, read-out, the full- and half-hour triggers and the timer that drives them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "clock/form1_model.h"
#include "clock/tick_schedule.h"

using tkt::ClockTime;
using tkt::Form1Model;

namespace {

ClockTime At(int h, int m, int s, int ms = 0) { return {2024, 5, 6, h, m, s, ms}; }

Form1Model WithLengths(float second, float hour, float minute) {
  Form1Model f;
  f.secondScale = second / 10, f.hourScale = hour / 10, f.minuteScale = minute / 10;
  f.SetScreenScale(15);
  return f;
}

double AngleOf(const tkt::LineElement& l) {
  double deg = std::atan2(l.x2 - l.x1, l.y1 - l.y2) * 180 / 3.14159265358979;
  return deg < 0 ? deg + 360 : deg;
}

TEST(Timer1Tick, WorkedHandPositions) {
  Form1Model f = WithLengths(140, 140, 140);
  const struct { int second; float x, y; } cases[] = {{0, 1350, 90}, {15, 2610, 1350}, {30, 1350, 2610}, {45, 90, 1350}};
  for (const auto& c : cases) {
    f.Timer1_Timer(At(10, 20, c.second));
    EXPECT_NEAR(f.Line1.x2, c.x, 2e-4) << c.second;  // within a single's step
    EXPECT_NEAR(f.Line1.y2, c.y, 2e-4) << c.second;
  }
  f = WithLengths(100, 100, 100);
  for (auto t : {At(3, 30, 0), At(15, 30, 59)}) {  // 24-hour hours land on the same dial position
    f.Timer1_Timer(t);
    EXPECT_NEAR(AngleOf(f.Line2), 105.0, 1e-3) << "the hour hand moves half a degree a minute";
    EXPECT_NEAR(AngleOf(f.Line3), 180.0, 1e-3) << "the minute hand steps by whole minutes";
  }
  f = WithLengths(100, 60, 120);
  f.Timer1_Timer(At(6, 0, 0));
  EXPECT_NEAR(f.Line2.x2, 1350, 1e-3);
  EXPECT_FLOAT_EQ(f.Line2.y2, 1350 + 540);
  EXPECT_FLOAT_EQ(f.Line3.y2, 1350 - 1080);
}

TEST(Timer1Tick, ReadoutFollowsDisplayMode) {
  Form1Model f = WithLengths(10, 10, 10);
  f.Timer1_Timer(At(9, 5, 7));
  EXPECT_EQ(f.Label1.caption, "09:05");  // unset counts as "hm"
  f.displayMode = 1;
  f.Timer1_Timer(At(9, 5, 7));
  EXPECT_EQ(f.Label1.caption, "09:05:07");
  f.Timer1_Timer(At(0, 0, 0));
  EXPECT_EQ(f.Label1.caption, "00:00:00");
}

TEST(Timer1Tick, FullHoursChimeTheTwelveHourDialAndHalfHoursOnce) {
  const std::pair<ClockTime, int> cases[] = {{At(0, 0, 0), 12},  {At(12, 0, 0), 12}, {At(13, 0, 0), 1},
                                             {At(23, 0, 0), 11}, {At(1, 0, 0), 1},   {At(18, 0, 0), 6}};
  for (auto [t, calls] : cases) {
    Form1Model f = WithLengths(10, 10, 10);
    f.chimeStep = 5;
    EXPECT_TRUE(f.Timer1_Timer(t)) << t.hour;
    EXPECT_TRUE(f.timer2Enabled);
    EXPECT_EQ(f.chimeCount, calls) << t.hour;
    EXPECT_EQ(f.chimeStep, 0);
  }
  for (int hour = 0; hour < 24; ++hour) {
    Form1Model f = WithLengths(10, 10, 10);
    EXPECT_TRUE(f.Timer1_Timer(At(hour, 30, 0)));
    EXPECT_EQ(f.chimeCount, 1) << hour;
  }
  Form1Model f = WithLengths(10, 10, 10);
  for (auto t : {At(7, 0, 1), At(7, 59, 59), At(7, 30, 1), At(7, 15, 0)}) EXPECT_FALSE(f.Timer1_Timer(t));
  EXPECT_FALSE(f.timer2Enabled);
}

TEST(Timer1Tick, ALateTickThatSkipsSecondZeroStaysSilent) {
  Form1Model f = WithLengths(10, 10, 10);
  f.Timer1_Timer(At(4, 59, 59));
  f.Timer1_Timer(At(5, 0, 1));
  EXPECT_FALSE(f.timer2Enabled);
}

TEST(Timer1Tick, TwoTicksInSecondZeroRestartTheChime) {
  Form1Model f = WithLengths(10, 10, 10);
  f.Timer1_Timer(At(5, 0, 0, 10));
  f.Timer2_Timer();
  EXPECT_TRUE(f.Timer1_Timer(At(5, 0, 0, 990)));
  EXPECT_EQ(f.chimeStep, 0);
  EXPECT_EQ(f.chimeCount, 5);
}

// The model driven by the gate and the timer over a simulated hour: whatever the timer's drift, every second
// is shown once, each full and half hour chimes once (no missed or doubled chime), and the timer is rarely
// re-armed.
TEST(TickSchedule, AnHourOfDriftingTimerShowsEverySecondOnce) {
  for (int driftMs : {-7, -1, 0, 3, 11, 16}) {
    Form1Model f = WithLengths(10, 10, 10);
    tkt::TickGate gate;
    tkt::TickTimer timer;
    int interval = tkt::DelayToNextSecondMs(500);
    timer.Armed(interval);
    int starts = 0, shown = 0, rearmed = 0;
    long long nowMs = (6LL * 3600 + 59 * 60 + 30) * 1000 + 500, lastShown = -1;
    for (;;) {
      nowMs += std::max(interval + driftMs, 10);  // timers wait at least 10 ms
      if (nowMs >= 8LL * 3600 * 1000 + 500) break;
      const long long s = nowMs / 1000;
      ClockTime t = At(int(s / 3600 % 24), int(s / 60 % 60), int(s % 60), int(nowMs % 1000));
      if (gate.Admit(t)) {
        if (lastShown >= 0) {
          EXPECT_EQ(s, lastShown + 1) << "a second skipped at drift " << driftMs;
        }
        lastShown = s, ++shown;
        if (f.Timer1_Timer(t)) ++starts;
      }
      if (int next = timer.NextInterval(t.millisecond)) interval = next, ++rearmed;
    }
    EXPECT_EQ(starts, 3) << "7:00, 7:30 and 8:00; drift " << driftMs;
    EXPECT_EQ(shown, 3630) << driftMs;
    EXPECT_LT(rearmed, 3630 / 3) << driftMs;
  }
}

TEST(TickSchedule, ASecondTickInTheSameSecondIsHeldBack) {
  tkt::TickGate gate;
  EXPECT_TRUE(gate.Admit(At(6, 0, 3, 20)));
  EXPECT_FALSE(gate.Admit(At(6, 0, 3, 980)));
  EXPECT_TRUE(gate.Admit(At(6, 0, 4, 5)));
}

TEST(TickSchedule, ANewDayIsANewSecond) {
  tkt::TickGate gate;
  ClockTime t = At(6, 0, 3, 16);
  EXPECT_TRUE(gate.Admit(t));
  t.day++;
  EXPECT_TRUE(gate.Admit(t));
}

}  // namespace
