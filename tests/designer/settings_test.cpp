// The settings page: sliders, colour buttons, the frame circle, the cuckoo and the read-out, dropping
// the read-out on the preview, and the preview's one-second tick.
#include <gtest/gtest.h>

#include <cmath>

#include "form_fakes.h"

namespace designer {
namespace {

struct SettingsPage : testing::FormFixture {
  SettingsPage() { GoToPage(1); }
  bool AnyArrowEnabled() const {
    return form.hato_top.enabled || form.hato_bottom.enabled || form.hato_left.enabled || form.hato_right.enabled;
  }
};

TEST(Sliders, HandlerRunsOnlyOnChangeAndValuesStayInRange) {
  SettingsPage f;
  int runs = 0;
  f.form.HScroll5.onChange = [&] { ++runs; };
  f.form.HScroll5.SetValue(1);  // already 1
  EXPECT_EQ(runs, 0);
  f.form.HScroll5.SetValue(7);
  EXPECT_EQ(runs, 1);

  EXPECT_FALSE(f.form.HScroll1.SetValue(181));
  EXPECT_FALSE(f.form.HScroll1.SetValue(-1));
  EXPECT_FALSE(f.form.HScroll6.SetValue(0));
  EXPECT_FALSE(f.form.HScroll8.SetValue(2701));
  EXPECT_EQ(f.form.HScroll1.value, 50);
  f.form.HScroll6.ScrollBy(-f.form.HScroll6.largeChange);
  EXPECT_EQ(f.form.HScroll6.value, 1);  // a hand never gets width 0
  for (int i = 0; i < 20; ++i) f.form.HScroll1.ScrollBy(f.form.HScroll1.largeChange);
  EXPECT_EQ(f.form.HScroll1.value, 180);
  f.form.HScroll8.ScrollBy(-10);  // disabled while the frame circle is off
  EXPECT_EQ(f.form.HScroll8.value, 2700);
}

TEST(Sliders, ZeroHidesTheHandOrDotWhateverItsColour) {
  SettingsPage f;
  for (int row = 1; row <= 4; ++row) {
    Control& shown = row == 4 ? static_cast<Control&>(f.form.centerdot) : f.form.Hand(row);
    f.form.Slider(row).SetValue(0);
    EXPECT_FALSE(shown.visible) << row;
    f.form.Slider(row).SetValue(5);
    EXPECT_TRUE(shown.visible) << row;
  }
  EXPECT_EQ(f.form.clbox4.fillColor, RgbColor(64, 0, 0));
}

TEST(ColourButtons, StartFromTheSwatchRecolourTheHandAndCancelChangesNothing) {
  SettingsPage f;
  CommandButton* buttons[] = {&f.form.ColorBT1, &f.form.ColorBT2, &f.form.ColorBT3};
  for (int row = 1; row <= 3; ++row) {
    f.dialogs.colorAnswers.push_back(RgbColor(10 * row, 20, 30));
    const Color before = f.form.Swatch(row).fillColor;
    buttons[row - 1]->Click();
    EXPECT_EQ(f.dialogs.colorCalls.back(), std::make_pair(before, 1u));
    EXPECT_EQ(f.form.Swatch(row).fillColor, RgbColor(10 * row, 20, 30));
    EXPECT_EQ(f.form.Hand(row).borderColor, RgbColor(10 * row, 20, 30));
  }
  f.dialogs.colorAnswers.push_back(std::nullopt);
  f.form.ColorBT2.Click();
  EXPECT_EQ(f.form.clbox2.fillColor, RgbColor(20, 20, 30));
  EXPECT_EQ(f.form.Line2.borderColor, RgbColor(20, 20, 30));

  // The centre dot takes its colour on the next tick.
  f.dialogs.colorAnswers.push_back(RgbColor(0, 200, 0));
  f.form.ColorBT4.Click();
  EXPECT_EQ(f.form.centerdot.fillColor, RgbColor(64, 0, 0));
  f.form.Timer1_Timer({10, 0, 0});
  EXPECT_EQ(f.form.centerdot.fillColor, RgbColor(0, 200, 0));
  EXPECT_EQ(f.dialogs.unexpected, 0);
}

TEST(FrameCircle, OnCoversTheFaceAndTheSliderRecentresByHalfTwips) {
  SettingsPage f;
  f.form.circleCheck.Click();
  EXPECT_TRUE(f.form.waku.visible && f.form.circlecolor.enabled && f.form.HScroll8.enabled);
  EXPECT_EQ(f.form.waku.left, 0);
  EXPECT_EQ(f.form.waku.width, 2700);
  EXPECT_EQ(f.form.waku.borderColor, RgbColor(128, 128, 0));
  f.form.HScroll8.SetValue(609);
  EXPECT_EQ(f.form.waku.height, 609);
  EXPECT_DOUBLE_EQ(f.form.waku.left, 1045.5);
  EXPECT_DOUBLE_EQ(f.form.waku.top, 1045.5);
}

TEST(FrameCircle, OffAndOnKeepsSizeAndColourAndCancelChangesNothing) {
  SettingsPage f;
  f.form.circleCheck.Click();
  f.form.HScroll8.SetValue(1000);
  f.dialogs.colorAnswers.push_back(RgbColor(0, 0, 255));
  f.form.circlecolor.Click();
  EXPECT_EQ(f.dialogs.colorCalls.back(), std::make_pair(RgbColor(128, 128, 0), 1u));
  EXPECT_EQ(f.form.waku.borderColor, RgbColor(0, 0, 255));

  f.form.circleCheck.Click();
  EXPECT_FALSE(f.form.waku.visible || f.form.circlecolor.enabled || f.form.HScroll8.enabled);
  f.form.circleCheck.Click();
  EXPECT_EQ(f.form.waku.width, 1000);
  EXPECT_EQ(f.form.waku.left, 850);
  EXPECT_EQ(f.form.waku.borderColor, RgbColor(0, 0, 255));

  f.form.waku.width = 5;  // anything the cancelled dialog must not re-apply
  f.dialogs.colorAnswers.push_back(std::nullopt);
  f.form.circlecolor.Click();
  EXPECT_EQ(f.form.circleCheck.foreColor, RgbColor(0, 0, 255));
  EXPECT_EQ(f.form.waku.width, 5);
  // A confirmed colour re-applies the size from the slider.
  f.dialogs.colorAnswers.push_back(RgbColor(1, 2, 3));
  f.form.circlecolor.Click();
  EXPECT_EQ(f.form.waku.width, 1000);
}

TEST(Cuckoo, CheckBoxesExcludeEachOtherAndArrowsMoveTheChosenPicture) {
  SettingsPage f;
  f.form.hatoCheck1.Click();
  EXPECT_TRUE(f.form.Image3.visible && f.form.Label34.enabled && f.form.hato_top.enabled);
  f.form.hatoCheck2.Click();
  EXPECT_FALSE(f.form.hatoCheck1.checked() || f.form.Image3.visible || f.form.Label34.enabled);
  EXPECT_TRUE(f.form.Image4.visible && f.form.Label35.enabled && f.form.hato_top.enabled);
  f.form.hatoCheck1.SetValue(1);  // from code, as the import does
  EXPECT_FALSE(f.form.hatoCheck2.checked() || f.form.Image4.visible);

  // Ten twips a press, without limit; the other picture keeps its place.
  for (int i = 0; i < 5; ++i) f.form.hato_left.Click();
  EXPECT_EQ(f.form.Image3.left, 1090);
  for (int i = 0; i < 200; ++i) f.form.hato_top.Click();
  EXPECT_EQ(f.form.Image3.top, -1040);
  EXPECT_EQ(f.form.Image4.left, 1140);

  f.form.hatoCheck1.Click();  // clearing the only check
  EXPECT_FALSE(f.form.Image3.visible || f.form.Label34.enabled || f.AnyArrowEnabled());
  f.form.hato_left.Click();
  EXPECT_EQ(f.form.Image3.left, 1090);
}

TEST(Readout, SwitchingOnResetsPlaceAndStyleEveryTime) {
  SettingsPage f;
  f.form.digicheck.Click();
  EXPECT_TRUE(f.form.digitxt.visible && f.form.digistyle2.value && f.form.digifont.enabled);
  EXPECT_EQ(f.form.digitxt.left, 1950);
  EXPECT_EQ(f.form.digitxt.top, 2460);
  f.form.fontmove_up.Click();
  f.form.fontmove_right.Click();
  EXPECT_EQ(f.form.digitxt.top, 2450);
  EXPECT_EQ(f.form.digitxt.left, 1960);
  f.form.digistyle1.Click();

  f.form.digicheck.Click();
  EXPECT_FALSE(f.form.digitxt.visible || f.form.digistyle1.value || f.form.digistyle2.value);
  EXPECT_FALSE(f.form.digistyle1.enabled || f.form.digifont.enabled || f.form.fontmove_down.enabled);
  f.form.digicheck.Click();
  EXPECT_EQ(f.form.digitxt.left, 1950);
  EXPECT_EQ(f.form.digitxt.top, 2460);
  EXPECT_TRUE(f.form.digistyle2.value);
  EXPECT_FALSE(f.form.digistyle1.value);
}

TEST(Readout, FontDialogRemembersItsLastUseAndCancelKeepsTheFont) {
  SettingsPage f;
  f.form.digicheck.Click();
  const FontChoice gothic{{L"IPAGothic", 14, false, true, true, true}, RgbColor(0, 128, 255)};
  f.dialogs.fontAnswers.push_back(gothic);
  f.form.digifont.Click();
  EXPECT_EQ(f.dialogs.fontCalls[0].first, std::nullopt);  // not preset from the label
  EXPECT_EQ(f.dialogs.fontCalls[0].second, 259u);
  EXPECT_EQ(f.form.digitxt.font, gothic.font);
  EXPECT_EQ(f.form.digitxt.foreColor, gothic.color);
  f.dialogs.fontAnswers.push_back(std::nullopt);
  f.form.digifont.Click();
  EXPECT_EQ(f.dialogs.fontCalls[1].first, gothic);
  // Cancel, then off and on again: font and colour stay.
  f.form.digicheck.Click();
  f.form.digicheck.Click();
  EXPECT_EQ(f.form.digitxt.font, gothic.font);
  EXPECT_EQ(f.form.digitxt.foreColor, gothic.color);
}

TEST(Readout, DropPutsTheCornerAtThePointButNotOnTheReadoutOrCuckoo) {
  SettingsPage f;
  f.form.digicheck.Click();  // read-out at (1950, 2460), 600 x 285
  EXPECT_FALSE(f.form.IsPreviewDropPoint(2000, 2500));
  EXPECT_TRUE(f.form.IsPreviewDropPoint(1200, 1000));  // cuckoo pictures hidden: the preview itself
  f.form.hatoCheck2.Click();
  EXPECT_FALSE(f.form.IsPreviewDropPoint(1200, 1000));
  EXPECT_TRUE(f.form.IsPreviewDropPoint(1139, 1000));
  EXPECT_FALSE(f.form.IsPreviewDropPoint(-1, 100));
  EXPECT_FALSE(f.form.IsPreviewDropPoint(100, 2700));
  EXPECT_TRUE(f.form.IsPreviewDropPoint(0, 2699));
  f.form.OLGPic1_DragDrop(f.form.digitxt, 300, 450);
  EXPECT_EQ(f.form.digitxt.left, 300);
  EXPECT_EQ(f.form.digitxt.top, 450);
}

TEST(PreviewTick, HandsFollowTimeAndLengthsReachThemOnTheNextTick) {
  testing::FormFixture f;
  struct Case {
    TickTime t;
    float x2, y2;
  } seconds[] = {{{0, 0, 15}, 1800, 1350}, {{0, 0, 30}, 1350, 1800}, {{0, 0, 45}, 900, 1350}, {{0, 0, 0}, 1350, 900}};
  for (const Case& c : seconds) {
    f.form.Timer1_Timer(c.t);
    EXPECT_NEAR(f.form.Line1.x2, c.x2, 0.01) << c.t.second;
    EXPECT_NEAR(f.form.Line1.y2, c.y2, 0.01) << c.t.second;
  }
  f.form.HScroll1.SetValue(140);
  f.form.HScroll2.SetValue(140);
  f.form.HScroll3.SetValue(140);
  EXPECT_NEAR(f.form.Line1.y2, 900, 0.01);  // not before the tick
  // 3:30: hour hand at 105 degrees; the minute hand moves in whole minutes only.
  f.form.Timer1_Timer({15, 30, 59});
  EXPECT_NEAR(f.form.Line2.x2, 1350 + 1260 * std::sin(105 * 3.1415927 / 180), 0.05);
  EXPECT_NEAR(f.form.Line2.y2, 1350 - 1260 * std::cos(105 * 3.1415927 / 180), 0.05);
  EXPECT_NEAR(f.form.Line3.x2, 1350, 0.05);
  EXPECT_NEAR(f.form.Line3.y2, 2610, 0.05);
  EXPECT_NEAR(f.form.Line1.x2, 1350 - 1260 * std::sin(6 * 3.1415927 / 180), 0.05);

  // A hidden hand stays hidden; its tip still follows the time.
  f.form.HScroll2.SetValue(0);
  f.form.Timer1_Timer({9, 41, 0});
  EXPECT_FALSE(f.form.Line2.visible);
  EXPECT_NEAR(f.form.Line2.x2, 1350, 0.01);
}

TEST(PreviewTick, CentreDotTakesSizeAndColourFromControls) {
  testing::FormFixture f;
  f.form.HScroll4.SetValue(2700);
  f.form.clbox4.fillColor = RgbColor(5, 6, 7);
  f.form.Timer1_Timer({1, 2, 3});
  EXPECT_EQ(f.form.centerdot.width, 2700);
  EXPECT_EQ(f.form.centerdot.left, 0);
  EXPECT_EQ(f.form.centerdot.fillColor, RgbColor(5, 6, 7));
  f.form.HScroll4.SetValue(101);
  f.form.Timer1_Timer({1, 2, 3});
  EXPECT_DOUBLE_EQ(f.form.centerdot.top, 1299.5);
}

TEST(PreviewTick, ReadoutFollowsTheChosenStyleOnlyWhileOn) {
  SettingsPage f;
  f.form.Timer1_Timer({9, 5, 7});
  EXPECT_EQ(f.form.digitxt.caption, L"--:--:--");  // off: untouched
  f.form.digicheck.Click();
  f.form.Timer1_Timer({9, 5, 7});
  EXPECT_EQ(f.form.digitxt.caption, L"09:05:07");
  f.form.digistyle1.Click();
  f.form.Timer1_Timer({23, 59, 58});
  EXPECT_EQ(f.form.digitxt.caption, L"23:59");
  f.form.digistyle1.SetValue(false);  // no style: the text stays
  f.form.Timer1_Timer({12, 0, 0});
  EXPECT_EQ(f.form.digitxt.caption, L"23:59");
}

}  // namespace
}  // namespace designer
