// The preview's one-second tick.
#include <gtest/gtest.h>

#include <cmath>

#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;

TEST(PreviewTick, HandsFollowTimeWithTheClocksGeometry) {
  FormFixture f;
  f.form.HScroll1.SetValue(140);
  f.form.HScroll2.SetValue(140);
  f.form.HScroll3.SetValue(140);
  struct Case {
    TickTime t;
    float x2, y2;
  } seconds[] = {{{0, 0, 15}, 2610, 1350}, {{0, 0, 30}, 1350, 2610}, {{0, 0, 45}, 90, 1350}, {{0, 0, 0}, 1350, 90}};
  for (const Case& c : seconds) {
    f.form.Timer1_Timer(c.t);
    EXPECT_NEAR(f.form.Line1.x2, c.x2, 0.01) << c.t.second;
    EXPECT_NEAR(f.form.Line1.y2, c.y2, 0.01) << c.t.second;
    EXPECT_EQ(f.form.Line1.x1, 1350);
  }
  // 6:00: hour hand straight down, minute hand straight up.
  f.form.Timer1_Timer({6, 0, 0});
  EXPECT_NEAR(f.form.Line2.x2, 1350, 0.01);
  EXPECT_NEAR(f.form.Line2.y2, 2610, 0.01);
  EXPECT_NEAR(f.form.Line3.y2, 90, 0.01);
  // 3:30: hour hand at 105 degrees; the minute hand moves in whole minutes only.
  f.form.Timer1_Timer({15, 30, 59});
  EXPECT_NEAR(f.form.Line2.x2, 1350 + 1260 * std::sin(105 * 3.1415927 / 180), 0.05);
  EXPECT_NEAR(f.form.Line2.y2, 1350 - 1260 * std::cos(105 * 3.1415927 / 180), 0.05);
  EXPECT_NEAR(f.form.Line3.x2, 1350, 0.05);
  EXPECT_NEAR(f.form.Line3.y2, 2610, 0.05);
}

TEST(PreviewTick, LengthChangeReachesTheHandOnTheNextTick) {
  FormFixture f;
  f.form.Timer1_Timer({0, 0, 15});
  EXPECT_NEAR(f.form.Line1.x2 - 1350, 450, 0.01);
  f.form.HScroll1.SetValue(150);
  EXPECT_NEAR(f.form.Line1.x2 - 1350, 450, 0.01);
  f.form.Timer1_Timer({0, 0, 15});
  EXPECT_NEAR(f.form.Line1.x2 - 1350, 1350, 0.01);
  EXPECT_FLOAT_EQ(f.form.secondLengthFactor, 15);
}

TEST(PreviewTick, CentreDotTakesSizeAndColourFromControls) {
  FormFixture f;
  f.form.HScroll4.SetValue(2700);
  f.form.clbox4.fillColor = RgbColor(5, 6, 7);
  f.form.Timer1_Timer({1, 2, 3});
  EXPECT_EQ(f.form.centerdot.width, 2700);
  EXPECT_EQ(f.form.centerdot.height, 2700);
  EXPECT_EQ(f.form.centerdot.left, 0);
  EXPECT_EQ(f.form.centerdot.top, 0);
  EXPECT_EQ(f.form.centerdot.fillColor, RgbColor(5, 6, 7));
  f.form.HScroll4.SetValue(101);
  f.form.Timer1_Timer({1, 2, 3});
  EXPECT_DOUBLE_EQ(f.form.centerdot.left, 1299.5);
}

TEST(PreviewTick, TickNeitherHidesNorShows) {
  FormFixture f;
  f.form.HScroll2.SetValue(0);
  f.form.Timer1_Timer({9, 41, 0});
  EXPECT_FALSE(f.form.Line2.visible);
  EXPECT_NEAR(f.form.Line2.x2, 1350, 0.01);  // the tip still follows the time
}

TEST(PreviewTick, ReadoutFollowsTheChosenStyleOnlyWhileOn) {
  FormFixture f;
  f.GoToPage(1);
  f.form.Timer1_Timer({9, 5, 7});
  EXPECT_EQ(f.form.digitxt.caption, L"--:--:--");  // off: untouched
  f.form.digicheck.Click();
  f.form.Timer1_Timer({9, 5, 7});
  EXPECT_EQ(f.form.digitxt.caption, L"09:05:07");
  f.form.digistyle1.Click();
  f.form.Timer1_Timer({23, 59, 58});
  EXPECT_EQ(f.form.digitxt.caption, L"23:59");
}

TEST(PreviewTick, ReadoutWithoutStyleKeepsItsText) {
  FormFixture f;
  f.GoToPage(1);
  f.form.digicheck.SetValue(1);
  f.form.digistyle2.SetValue(false);
  f.form.Timer1_Timer({12, 0, 0});
  EXPECT_EQ(f.form.digitxt.caption, L"--:--:--");
}

}  // namespace
}  // namespace designer
