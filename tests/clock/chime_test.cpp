// The cuckoo chime: door steps, sound requests and the end of the chime.
#include <gtest/gtest.h>

#include <string>

#include "clock/form1_model.h"

using tkt::Form1Model;

namespace {

// One letter a step: which door shows ("o" open, "c" closed, "-" neither alone) and "!" for a sound.
std::string RunChime(Form1Model& f, int calls, const tkt::PictureElement& open, const tkt::PictureElement& closed) {
  f.chimeCount = calls, f.chimeStep = 0, f.timer2Enabled = true;
  std::string trace;
  for (int i = 0; i < 2 * calls + 2 && f.timer2Enabled; ++i) {
    const bool sound = f.Timer2_Timer();
    trace += open.visible && !closed.visible ? "o" : !open.visible && closed.visible ? "c" : "-";
    if (sound) trace += "!";
  }
  return trace;
}

TEST(Timer2Chime, EachKindMovesItsOwnDoor) {
  Form1Model one;
  one.hato1_close = one.hato1_open = {true, 1200, 300};
  one.hato = "1";
  EXPECT_EQ(RunChime(one, 3, one.hato1_open, one.hato1_close), "o!co!co!c");
  EXPECT_FALSE(one.timer2Enabled);

  Form1Model both;  // kind 1 keeps what it showed before
  both.hato1_close = both.hato1_open = {true, 1200, 300};
  both.hato2_close = both.hato2_open = {true, 1000, 1900};
  both.hato = "2";
  EXPECT_EQ(RunChime(both, 2, both.hato2_open, both.hato2_close), "o!co!c");
  EXPECT_TRUE(both.hato1_close.visible && both.hato1_open.visible);
}

TEST(Timer2Chime, WithoutCuckooTheSoundStillCallsEveryTime) {
  Form1Model f;
  const Form1Model before = f;
  f.chimeCount = 4, f.chimeStep = 0, f.timer2Enabled = true;
  int sounds = 0, steps = 0;
  while (f.timer2Enabled && steps < 20) sounds += f.Timer2_Timer(), ++steps;
  EXPECT_EQ(sounds, 4);
  EXPECT_EQ(steps, 8);
  EXPECT_EQ(f.hato1_open, before.hato1_open);
  EXPECT_EQ(f.hato2_close, before.hato2_close);
}

TEST(Timer2Chime, ARestartWhileOpenClosesTheDoorOnItsOwnSteps) {
  Form1Model f;
  f.hato1_close = f.hato1_open = {true, 1200, 300};
  f.hato = "1";
  f.SetScreenScale(15);
  f.Timer1_Timer({2024, 1, 1, 2, 0, 0, 5});
  f.Timer2_Timer();  // door open
  ASSERT_TRUE(f.hato1_open.visible);
  f.Timer1_Timer({2024, 1, 1, 2, 0, 0, 900});  // second start within the same second
  EXPECT_EQ(RunChime(f, 2, f.hato1_open, f.hato1_close), "o!co!c");
}

}  // namespace
