// The quiet cuckoo: busy, presenting or quiet hours silence the call and leave the doors moving.
#include "clock/quiet_chime.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tkt {
namespace {

class FixedState : public NotificationStateSource {
 public:
  std::optional<NotificationState> Query() override {
    ++queries;
    return state;
  }
  std::optional<NotificationState> state;
  int queries = 0;
};

// One letter a step, "o" open or "c" closed, "!" for a call.
std::string Chime(std::optional<NotificationState> state, int* queries = nullptr) {
  Form1Model f;
  f.hato1_close = f.hato1_open = {true, 1200, 300};
  f.hato = "1";
  f.chimeCount = 2, f.chimeStep = 0, f.timer2Enabled = true;
  FixedState source;
  source.state = state;
  QuietChime quiet(source);
  std::string trace;
  while (f.timer2Enabled) {
    const bool sound = quiet.Step(f);
    trace += f.hato1_open.visible && !f.hato1_close.visible ? "o" : "c";
    if (sound) trace += "!";
  }
  if (queries) *queries = source.queries;
  return trace;
}

TEST(QuietChime, QuietStatesSilenceTheCallAndTheDoorsStillOpen) {
  using S = NotificationState;
  const std::pair<std::optional<S>, const char*> cases[] = {
      {S::Busy, "ococ"},
      {S::RunningD3DFullScreen, "ococ"},
      {S::PresentationMode, "ococ"},
      {S::QuietTime, "ococ"},
      {S::AcceptsNotifications, "o!co!c"},
      {S::NotPresent, "o!co!c"},  // locked or away: the room may still hear it
      {S::App, "o!co!c"},
      {std::nullopt, "o!co!c"},  // the platform cannot tell
      {S(99), "o!co!c"},
  };
  for (const auto& [state, want] : cases)
    EXPECT_EQ(Chime(state), want) << (state ? int(*state) : 0);
  // Plain QUNS_* numbers.
  EXPECT_EQ(int(S::Busy), 2);
  EXPECT_EQ(int(S::QuietTime), 6);
  int queries = 0;
  Chime(S::AcceptsNotifications, &queries);
  EXPECT_EQ(queries, 2);  // asked at each call, not at each door step
}

}  // namespace
}  // namespace tkt

namespace tkt {
namespace {

// The clock's own quiet span, in the time it shows, across midnight: the doors open, nothing calls.
TEST(QuietChime, TheClocksQuietHoursSilenceTheCallAcrossMidnight) {
  const faceformat::QuietHours night{22 * 60, 7 * 60};
  const std::pair<ClockTime, bool> cases[] = {
      {{2026, 12, 9, 21, 59, 59}, true},
      {{2026, 12, 9, 22, 0, 0}, false},
      {{2026, 12, 10, 0, 0, 0}, false},
      {{2026, 12, 10, 6, 59, 0}, false},
      {{2026, 12, 10, 7, 0, 0}, true},
  };
  for (const auto& [time, calls] : cases) {
    Form1Model f;
    f.hato = "1";
    f.tickTime = time;
    f.chimeCount = 1, f.chimeStep = 0, f.timer2Enabled = true;
    FixedState source;
    QuietChime quiet(source, night);
    EXPECT_EQ(quiet.Step(f), calls) << time.hour << ":" << time.minute;
    EXPECT_TRUE(f.hato1_open.visible) << "the door opens all the same";
  }
}

// Hour calls only on the hour, Off never; the half-hour default is covered by the tick's own tests.
TEST(QuietChime, ChimeHoursChooseWhichTicksStartACall) {
  using faceformat::ChimeHours;
  const std::tuple<ChimeHours, int, bool> cases[] = {
      {ChimeHours::Hour, 0, true}, {ChimeHours::Hour, 30, false},
      {ChimeHours::Off, 0, false}, {ChimeHours::Off, 30, false},
      {ChimeHours::HalfHour, 30, true},
  };
  for (const auto& [hours, minute, starts] : cases) {
    Form1Model f;
    f.chimeHours = hours;
    EXPECT_EQ(f.Timer1_Timer({2026, 12, 9, 15, minute, 0}), starts) << int(hours) << " at :" << minute;
    EXPECT_EQ(f.timer2Enabled, starts);
  }
}

}  // namespace
}  // namespace tkt
