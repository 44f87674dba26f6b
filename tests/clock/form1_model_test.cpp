// Laying the clock face out from its settings.
#include <gtest/gtest.h>

#include "clock/form1_model.h"

using faceformat::ClockSettings;
using tkt::Form1Model;

namespace {

// The kaichu sample: no frame, no read-out, no cuckoo.
ClockSettings Kaichu() {
  ClockSettings s;
  s.secondColor = 7303023, s.secondLength = 70, s.secondWidth = 1;
  s.hourColor = 15724527, s.hourLength = 40, s.hourWidth = 4;
  s.minuteColor = 14671839, s.minuteLength = 65, s.minuteWidth = 2;
  s.centerDotColor = 64, s.centerDotSize = 136;
  return s;
}

Form1Model LaidOut(const ClockSettings& s) {
  Form1Model f;
  f.LayOut(s);
  return f;
}

TEST(Form1Layout, KaichuShowsHandsAndACentredDotOnly) {
  const Form1Model f = LaidOut(Kaichu());
  EXPECT_TRUE(f.Line1.visible && f.Line2.visible && f.Line3.visible);
  EXPECT_EQ(f.Line2.color, 15724527);  // Line2 is the hour hand, Line3 the minute hand
  EXPECT_EQ(f.Line3.width, 2);
  EXPECT_FLOAT_EQ(f.hourScale, 4.0f);
  EXPECT_FLOAT_EQ(f.minuteScale, 6.5f);
  EXPECT_TRUE(f.centerdot.visible);
  EXPECT_FLOAT_EQ(f.centerdot.left, 1350 - 68);
  EXPECT_FALSE(f.waku.visible || f.Label1.visible || f.displayMode.has_value());
  EXPECT_EQ(f.hato, "0");
  for (const auto* p : {&f.hato1_close, &f.hato1_open, &f.hato2_close, &f.hato2_open})
    EXPECT_FALSE(p->visible && p->left < 2700 && p->top < 2700) << "a cuckoo picture shows on the face";
}

TEST(Form1Layout, ZeroOrAbsentLengthsHideTheirElementOnly) {
  ClockSettings s = Kaichu();
  s.secondLength = 0, s.centerDotSize = 0, s.hourLength.reset();
  const Form1Model f = LaidOut(s);
  EXPECT_FALSE(f.Line1.visible || f.Line2.visible || f.centerdot.visible);
  EXPECT_TRUE(f.Line3.visible);
}

TEST(Form1Layout, FrameReadoutAndCuckooGroups) {
  ClockSettings s = Kaichu();
  s.frameColor = 255, s.frameSize = 2500;
  s.digitalLeft = 1130, s.digitalTop = 690, s.digitalStyle = "hms", s.fontName = "Times New Roman";
  s.fontSize = 9.75, s.fontBold = true, s.digitalColor = 65535;
  s.cuckoo1Left = 1200, s.cuckoo1Top = 300;
  Form1Model f = LaidOut(s);
  EXPECT_TRUE(f.waku.visible);
  EXPECT_FLOAT_EQ(f.waku.left, 100);  // centred on the face
  EXPECT_TRUE(f.Label1.visible);
  EXPECT_EQ(f.Label1.font.name, "Times New Roman");
  EXPECT_EQ(f.displayMode, 1);
  EXPECT_EQ(f.hato, "1");
  EXPECT_TRUE(f.hato1_open.visible && f.hato1_close.visible);

  s.digitalStyle.reset();  // no style chosen: mode stays unset
  s.cuckoo2Left = 1000, s.cuckoo2Top = 1900;
  f = LaidOut(s);
  EXPECT_FALSE(f.displayMode.has_value());
  EXPECT_EQ(f.hato, "2");  // with both kinds only kind 2 moves at the chime
  EXPECT_TRUE(f.hato1_open.visible && f.hato2_open.visible);
  EXPECT_FLOAT_EQ(f.hato2_close.top, 1900);
}

TEST(Form1Layout, DefaultPositionIsBottomRightAboveTheTaskbarGap) {
  Form1Model f = LaidOut(Kaichu());
  f.SetScreenScale(15);
  const tkt::TwipPoint p = f.DefaultPosition(1024 * 15, 768 * 15);
  EXPECT_FLOAT_EQ(p.x / 15, 1024 - 180);
  EXPECT_FLOAT_EQ(p.y / 15, 768 - 210);
}

}  // namespace
