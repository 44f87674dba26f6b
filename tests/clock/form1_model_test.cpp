// Laying the clock face out from its settings.
#include <gtest/gtest.h>

#include "clock/form1_model.h"

using faceformat::ClockSettings;
using tkt::Form1Model;

namespace {

// The kaichu sample: no frame, no read-out, no cuckoo.
ClockSettings Kaichu() {
  ClockSettings s;
  s.regionFilePath = "C:\\CLOCK\\sample\\kaichu.rgp";
  s.faceBitmapPath = "C:\\CLOCK\\sample\\kaichu.bmp";
  s.secondColor = 7303023, s.secondLength = 70, s.secondWidth = 1;
  s.hourColor = 15724527, s.hourLength = 40, s.hourWidth = 4;
  s.minuteColor = 14671839, s.minuteLength = 65, s.minuteWidth = 2;
  s.centerDotColor = 64, s.centerDotSize = 136;
  return s;
}

ClockSettings Hato() {
  ClockSettings s = Kaichu();
  s.digitalLeft = 1130, s.digitalTop = 690, s.digitalStyle = "hm", s.fontName = "Times New Roman";
  s.fontSize = 9.75, s.fontBold = true, s.fontItalic = false, s.fontUnderline = false, s.fontStrikethru = false;
  s.digitalColor = 65535;
  return s;
}

bool InsideFace(const tkt::PictureElement& p) { return p.left < 2700 && p.top < 2700; }

TEST(Form1Layout, KaichuShowsHandsAndDotOnly) {
  Form1Model f;
  f.LayOut(Kaichu());
  EXPECT_TRUE(f.Line1.visible && f.Line2.visible && f.Line3.visible);
  EXPECT_EQ(f.Line1.color, 7303023);
  EXPECT_EQ(f.Line1.width, 1);
  EXPECT_EQ(f.Line2.color, 15724527);  // hour hand
  EXPECT_EQ(f.Line2.width, 4);
  EXPECT_EQ(f.Line3.color, 14671839);  // minute hand
  EXPECT_EQ(f.Line3.width, 2);
  EXPECT_FLOAT_EQ(f.secondScale, 7.0f);
  EXPECT_FLOAT_EQ(f.hourScale, 4.0f);
  EXPECT_FLOAT_EQ(f.minuteScale, 6.5f);

  EXPECT_TRUE(f.centerdot.visible);
  EXPECT_EQ(f.centerdot.color, 64);
  EXPECT_FLOAT_EQ(f.centerdot.left, 1282);
  EXPECT_FLOAT_EQ(f.centerdot.top, 1282);
  EXPECT_FLOAT_EQ(f.centerdot.width, 136);

  EXPECT_FALSE(f.waku.visible);
  EXPECT_FALSE(f.Label1.visible);
  EXPECT_EQ(f.Label1.caption, "--:--:--");
  EXPECT_FALSE(f.displayMode.has_value());
  EXPECT_EQ(f.hato, "0");
  for (const auto* p : {&f.hato1_close, &f.hato1_open, &f.hato2_close, &f.hato2_open})
    EXPECT_FALSE(p->visible && InsideFace(*p)) << "a cuckoo picture shows on the face";
}

TEST(Form1Layout, ZeroLengthsHideTheirElementOnly) {
  ClockSettings s = Kaichu();
  s.secondLength = 0;
  s.secondColor = 255;
  s.centerDotSize = 0;
  Form1Model f;
  f.LayOut(s);
  EXPECT_FALSE(f.Line1.visible);
  EXPECT_EQ(f.Line1.color, 255);
  EXPECT_TRUE(f.Line2.visible);
  EXPECT_TRUE(f.Line3.visible);
  EXPECT_FALSE(f.centerdot.visible);

  s = Kaichu();
  s.hourLength.reset();  // absent counts as zero
  s.minuteLength = 0;
  Form1Model g;
  g.LayOut(s);
  EXPECT_TRUE(g.Line1.visible);
  EXPECT_FALSE(g.Line2.visible);
  EXPECT_FALSE(g.Line3.visible);
}

TEST(Form1Layout, FrameIsCentredOnTheFace) {
  ClockSettings s = Kaichu();
  s.frameColor = 255, s.frameSize = 2500;
  Form1Model f;
  f.LayOut(s);
  EXPECT_TRUE(f.waku.visible);
  EXPECT_EQ(f.waku.color, 255);
  EXPECT_FLOAT_EQ(f.waku.left, 100);
  EXPECT_FLOAT_EQ(f.waku.top, 100);
  EXPECT_FLOAT_EQ(f.waku.width, 2500);
  EXPECT_FLOAT_EQ(f.waku.height, 2500);
}

TEST(Form1Layout, ReadoutTakesPlaceFontAndStyle) {
  Form1Model f;
  f.LayOut(Hato());
  EXPECT_TRUE(f.Label1.visible);
  EXPECT_FLOAT_EQ(f.Label1.left, 1130);
  EXPECT_FLOAT_EQ(f.Label1.top, 690);
  EXPECT_EQ(f.Label1.font.name, "Times New Roman");
  EXPECT_DOUBLE_EQ(f.Label1.font.size, 9.75);
  EXPECT_TRUE(f.Label1.font.bold);
  EXPECT_FALSE(f.Label1.font.italic || f.Label1.font.underline || f.Label1.font.strikethru);
  EXPECT_EQ(f.Label1.color, 65535);
  EXPECT_EQ(f.displayMode, 0);

  ClockSettings s = Hato();
  s.digitalStyle = "hms";
  Form1Model g;
  g.LayOut(s);
  EXPECT_EQ(g.displayMode, 1);

  s.digitalStyle.reset();  // no style chosen: mode stays unset
  Form1Model h;
  h.LayOut(s);
  EXPECT_TRUE(h.Label1.visible);
  EXPECT_FALSE(h.displayMode.has_value());
}

TEST(Form1Layout, CuckooGroups) {
  ClockSettings s = Kaichu();
  s.cuckoo1Left = 1200, s.cuckoo1Top = 300;
  Form1Model one;
  one.LayOut(s);
  EXPECT_EQ(one.hato, "1");
  for (const auto* p : {&one.hato1_close, &one.hato1_open}) {
    EXPECT_TRUE(p->visible);
    EXPECT_FLOAT_EQ(p->left, 1200);
    EXPECT_FLOAT_EQ(p->top, 300);
  }

  s.cuckoo2Left = 1000, s.cuckoo2Top = 1900;
  Form1Model both;
  both.LayOut(s);
  EXPECT_EQ(both.hato, "2");  // only kind 2 moves at the chime
  for (const auto* p : {&both.hato1_close, &both.hato1_open, &both.hato2_close, &both.hato2_open})
    EXPECT_TRUE(p->visible);
  EXPECT_FLOAT_EQ(both.hato2_open.left, 1000);
  EXPECT_FLOAT_EQ(both.hato2_close.top, 1900);
  EXPECT_FLOAT_EQ(both.hato1_open.left, 1200);
}

TEST(Form1Layout, DefaultPositionIsBottomRightAboveTheTaskbarGap) {
  Form1Model f;
  f.LayOut(Kaichu());
  f.SetScreenScale(15);
  EXPECT_FLOAT_EQ(f.centreTwips, 1350);
  EXPECT_EQ(f.faceRadiusPx, 90);
  const tkt::TwipPoint p = f.DefaultPosition(1024 * 15, 768 * 15);
  EXPECT_FLOAT_EQ(p.x / 15, 1024 - 180);
  EXPECT_FLOAT_EQ(p.y / 15, 768 - 210);
  for (const auto* l : {&f.Line1, &f.Line2, &f.Line3}) {
    EXPECT_FLOAT_EQ(l->x1, 1350);
    EXPECT_FLOAT_EQ(l->y1, 1350);
  }
}

}  // namespace
