// The second tick: hand tips, read-out and the full- and half-hour triggers.
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

TEST(Timer1Tick, SecondHandOfLength140ReachesTheWorkedPoints) {
  Form1Model f = WithLengths(140, 140, 140);
  struct Case {
    int second;
    float x, y;
  } cases[] = {{0, 1350, 90}, {15, 2610, 1350}, {30, 1350, 2610}, {45, 90, 1350}};
  for (const Case& c : cases) {
    f.Timer1_Timer(At(10, 20, c.second));
    EXPECT_NEAR(f.Line1.x2, c.x, 2e-4) << c.second;  // within a single's step
    EXPECT_NEAR(f.Line1.y2, c.y, 2e-4) << c.second;
  }
}

TEST(Timer1Tick, HourHandMovesHalfADegreeAMinute) {
  Form1Model f = WithLengths(100, 100, 100);
  f.Timer1_Timer(At(3, 30, 0));
  EXPECT_NEAR(AngleOf(f.Line2), 105.0, 1e-3);
  EXPECT_NEAR(AngleOf(f.Line3), 180.0, 1e-3);
  f.Timer1_Timer(At(15, 30, 59));  // 24-hour hours land on the same dial position
  EXPECT_NEAR(AngleOf(f.Line2), 105.0, 1e-3);
  EXPECT_NEAR(AngleOf(f.Line3), 180.0, 1e-3) << "the minute hand steps by whole minutes";
}

TEST(Timer1Tick, AtSixTheHourHandPointsDownAndTheMinuteHandUp) {
  Form1Model f = WithLengths(100, 60, 120);
  f.Timer1_Timer(At(6, 0, 0));
  EXPECT_NEAR(f.Line2.x2, 1350, 1e-3);
  EXPECT_FLOAT_EQ(f.Line2.y2, 1350 + 540);
  EXPECT_NEAR(f.Line3.x2, 1350, 1e-3);
  EXPECT_FLOAT_EQ(f.Line3.y2, 1350 - 1080);
}

TEST(Timer1Tick, HiddenHandsStillFollowTheTime) {
  Form1Model f = WithLengths(0, 50, 50);
  f.Line1.visible = false;
  f.Timer1_Timer(At(1, 2, 15));
  EXPECT_FALSE(f.Line1.visible);
  EXPECT_FLOAT_EQ(f.Line1.x2, 1350);  // length 0: the tip stays on the centre but is still set
  f.secondScale = 10;
  f.Timer1_Timer(At(1, 2, 15));
  EXPECT_FLOAT_EQ(f.Line1.x2, 1350 + 900);
}

TEST(Timer1Tick, ReadoutFollowsDisplayMode) {
  Form1Model f = WithLengths(10, 10, 10);
  f.Timer1_Timer(At(9, 5, 7));
  EXPECT_EQ(f.Label1.caption, "09:05");  // unset counts as "hm", and a hidden label is written too
  f.displayMode = 0;
  f.Timer1_Timer(At(9, 5, 7));
  EXPECT_EQ(f.Label1.caption, "09:05");
  f.displayMode = 1;
  f.Timer1_Timer(At(9, 5, 7));
  EXPECT_EQ(f.Label1.caption, "09:05:07");
  f.Timer1_Timer(At(23, 59, 59));
  EXPECT_EQ(f.Label1.caption, "23:59:59");
  f.Timer1_Timer(At(0, 0, 0));
  EXPECT_EQ(f.Label1.caption, "00:00:00");
}

TEST(Timer1Tick, FullHoursChimeTheTwelveHourDial) {
  const std::pair<int, int> cases[] = {{0, 12}, {12, 12}, {13, 1}, {23, 11}, {1, 1}, {11, 11}, {18, 6}};
  for (auto [hour, calls] : cases) {
    Form1Model f = WithLengths(10, 10, 10);
    f.chimeStep = 5;
    EXPECT_TRUE(f.Timer1_Timer(At(hour, 0, 0))) << hour;
    EXPECT_TRUE(f.timer2Enabled);
    EXPECT_EQ(f.chimeCount, calls) << hour;
    EXPECT_EQ(f.chimeStep, 0);
  }
}

TEST(Timer1Tick, EveryHalfHourChimesOnce) {
  for (int hour = 0; hour < 24; ++hour) {
    Form1Model f = WithLengths(10, 10, 10);
    EXPECT_TRUE(f.Timer1_Timer(At(hour, 30, 0)));
    EXPECT_EQ(f.chimeCount, 1) << hour;
  }
}

TEST(Timer1Tick, OnlySecondZeroOfTheHourOrHalfHourStartsAChime) {
  Form1Model f = WithLengths(10, 10, 10);
  for (auto t : {At(7, 0, 1), At(7, 59, 59), At(7, 30, 1), At(7, 29, 59), At(7, 15, 0), At(7, 1, 0)})
    EXPECT_FALSE(f.Timer1_Timer(t));
  EXPECT_FALSE(f.timer2Enabled);
}

TEST(Timer1Tick, ALateTickThatSkipsSecondZeroStaysSilent) {
  Form1Model f = WithLengths(10, 10, 10);
  f.Timer1_Timer(At(4, 59, 59));
  f.Timer1_Timer(At(5, 0, 1));
  EXPECT_FALSE(f.timer2Enabled);
  EXPECT_EQ(f.chimeCount, 0);
}

TEST(Timer1Tick, TwoTicksInSecondZeroRestartTheChime) {
  Form1Model f = WithLengths(10, 10, 10);
  f.Timer1_Timer(At(5, 0, 0, 10));
  f.Timer2_Timer();
  EXPECT_EQ(f.chimeStep, 1);
  EXPECT_TRUE(f.Timer1_Timer(At(5, 0, 0, 990)));
  EXPECT_EQ(f.chimeStep, 0);
  EXPECT_EQ(f.chimeCount, 5);
}

TEST(TickSchedule, ReArmsJustAfterTheNextWholeSecond) {
  EXPECT_EQ(tkt::DelayToNextSecondMs(0), 1000 + tkt::kTickMarginMs);
  EXPECT_EQ(tkt::DelayToNextSecondMs(999), 1 + tkt::kTickMarginMs);
  EXPECT_EQ(tkt::DelayToNextSecondMs(400), 600 + tkt::kTickMarginMs);
}

TEST(TickSchedule, EachSecondIsAdmittedOnce) {
  tkt::TickGate gate;
  EXPECT_TRUE(gate.Admit(At(5, 59, 59, 20)));
  EXPECT_FALSE(gate.Admit(At(5, 59, 59, 995))) << "an early timer must not show the same second again";
  EXPECT_TRUE(gate.Admit(At(6, 0, 0, 16)));
  EXPECT_TRUE(gate.Admit(At(6, 0, 3, 16))) << "a late tick goes through";
  tkt::ClockTime nextDay = At(6, 0, 3, 16);
  nextDay.day++;
  EXPECT_TRUE(gate.Admit(nextDay));
}

// Driving the model with the gate and the timer over a simulated hour: whatever the timer's drift, every
// second is shown once, each full and half hour chimes once, and the timer is rarely re-armed.
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

TEST(TickSchedule, TheTimerIsReArmedOnlyWhenItsPhaseDrifts) {
  tkt::TickTimer timer;
  timer.Armed(985);
  EXPECT_EQ(timer.NextInterval(50), 1000);  // on time: back to whole seconds
  EXPECT_EQ(timer.NextInterval(51), 0);
  EXPECT_EQ(timer.NextInterval(290), 0);
  EXPECT_EQ(timer.NextInterval(310), 1000 - 310 + tkt::kTickMarginMs);
  EXPECT_EQ(timer.NextInterval(50), 1000);
  EXPECT_EQ(timer.NextInterval(998), tkt::kTickMarginMs + 2);  // early: still in the old second
}

}  // namespace
