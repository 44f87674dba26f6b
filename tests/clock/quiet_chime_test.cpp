// The quiet cuckoo: busy, presenting or quiet hours silence the call and leave the doors moving.
#include "clock/quiet_chime.h"

#include <gtest/gtest.h>

#include <string>

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
