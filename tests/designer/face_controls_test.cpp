// Hand, centre dot and frame circle controls of the settings page.
#include <gtest/gtest.h>

#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;

struct SettingsPage : FormFixture {
  SettingsPage() { GoToPage(1); }
};

TEST(Sliders, SettingValueRunsHandlerOnlyOnChange) {
  SettingsPage f;
  int runs = 0;
  f.form.HScroll5.onChange = [&] { ++runs; };
  f.form.HScroll5.SetValue(1);  // already 1
  EXPECT_EQ(runs, 0);
  f.form.HScroll5.SetValue(7);
  EXPECT_EQ(runs, 1);
}

TEST(Sliders, ValuesOutsideTheRangeAreRefused) {
  SettingsPage f;
  EXPECT_FALSE(f.form.HScroll1.SetValue(181));
  EXPECT_FALSE(f.form.HScroll1.SetValue(-1));
  EXPECT_FALSE(f.form.HScroll5.SetValue(0));
  EXPECT_FALSE(f.form.HScroll8.SetValue(2701));
  EXPECT_EQ(f.form.HScroll1.value, 50);
  EXPECT_EQ(f.form.HScroll5.value, 1);
  EXPECT_EQ(f.form.Line1.borderWidth, 1);
}

TEST(Sliders, UserScrollingStopsAtTheEnds) {
  SettingsPage f;
  f.form.HScroll5.ScrollBy(-f.form.HScroll5.largeChange);
  EXPECT_EQ(f.form.HScroll5.value, 1);  // a hand never gets width 0
  for (int i = 0; i < 20; ++i) f.form.HScroll1.ScrollBy(f.form.HScroll1.largeChange);
  EXPECT_EQ(f.form.HScroll1.value, 180);
  f.form.HScroll8.ScrollBy(-10);  // disabled while the frame circle is off
  EXPECT_EQ(f.form.HScroll8.value, 2700);
}

TEST(Sliders, LengthZeroHidesTheHandAndShowsItAgain) {
  SettingsPage f;
  for (int row = 1; row <= 3; ++row) {
    f.form.Slider(row).SetValue(0);
    EXPECT_FALSE(f.form.Hand(row).visible);
    f.form.Slider(row).SetValue(5);
    EXPECT_TRUE(f.form.Hand(row).visible);
  }
}

TEST(Sliders, DotSizeZeroHidesTheDotWhateverItsColour) {
  SettingsPage f;
  f.form.HScroll4.SetValue(0);
  EXPECT_FALSE(f.form.centerdot.visible);
  EXPECT_EQ(f.form.clbox4.fillColor, RgbColor(64, 0, 0));
  f.form.HScroll4.SetValue(1);
  EXPECT_TRUE(f.form.centerdot.visible);
}

TEST(Sliders, WidthSlidersSetTheirHandsWidth) {
  SettingsPage f;
  f.form.HScroll5.SetValue(50);
  f.form.HScroll6.SetValue(12);
  f.form.HScroll7.SetValue(1);
  EXPECT_EQ(f.form.Line1.borderWidth, 50);
  EXPECT_EQ(f.form.Line2.borderWidth, 12);
  EXPECT_EQ(f.form.Line3.borderWidth, 1);
}

TEST(ColourButtons, StartFromTheSwatchAndRecolourHand) {
  SettingsPage f;
  for (int row = 1; row <= 3; ++row) {
    f.dialogs.colorAnswers.push_back(RgbColor(10 * row, 20, 30));
    CommandButton* buttons[] = {&f.form.ColorBT1, &f.form.ColorBT2, &f.form.ColorBT3};
    const Color before = f.form.Swatch(row).fillColor;
    buttons[row - 1]->Click();
    ASSERT_EQ(f.dialogs.colorCalls.size(), size_t(row));
    EXPECT_EQ(f.dialogs.colorCalls.back(), std::make_pair(before, 1u));
    EXPECT_EQ(f.form.Swatch(row).fillColor, RgbColor(10 * row, 20, 30));
    EXPECT_EQ(f.form.Hand(row).borderColor, RgbColor(10 * row, 20, 30));
  }
}

TEST(ColourButtons, CancelChangesNothing) {
  SettingsPage f;
  f.dialogs.colorAnswers.push_back(std::nullopt);
  f.form.ColorBT2.Click();
  EXPECT_EQ(f.form.clbox2.fillColor, RgbColor(255, 255, 255));
  EXPECT_EQ(f.form.Line2.borderColor, RgbColor(255, 255, 255));
  EXPECT_TRUE(f.messages.shown.empty());
}

TEST(ColourButtons, CentreDotColourReachesTheDotOnTheNextTick) {
  SettingsPage f;
  f.dialogs.colorAnswers.push_back(RgbColor(0, 200, 0));
  f.form.ColorBT4.Click();
  EXPECT_EQ(f.form.clbox4.fillColor, RgbColor(0, 200, 0));
  EXPECT_EQ(f.form.centerdot.fillColor, RgbColor(64, 0, 0));
  f.form.Timer1_Timer({10, 0, 0});
  EXPECT_EQ(f.form.centerdot.fillColor, RgbColor(0, 200, 0));
}

TEST(FrameCircle, OnWithUntouchedSliderCoversTheWholeFace) {
  SettingsPage f;
  f.form.circleCheck.Click();
  EXPECT_TRUE(f.form.waku.visible);
  EXPECT_TRUE(f.form.circlecolor.enabled);
  EXPECT_TRUE(f.form.HScroll8.enabled);
  EXPECT_EQ(f.form.waku.left, 0);
  EXPECT_EQ(f.form.waku.top, 0);
  EXPECT_EQ(f.form.waku.width, 2700);
  EXPECT_EQ(f.form.waku.height, 2700);
  EXPECT_EQ(f.form.waku.borderColor, RgbColor(128, 128, 0));
  EXPECT_EQ(f.form.circleDiameter, 2700);
}

TEST(FrameCircle, SliderResizesAndRecentresByHalfTwips) {
  SettingsPage f;
  f.form.circleCheck.Click();
  f.form.HScroll8.SetValue(609);
  EXPECT_EQ(f.form.waku.width, 609);
  EXPECT_EQ(f.form.waku.height, 609);
  EXPECT_DOUBLE_EQ(f.form.waku.left, 1045.5);
  EXPECT_DOUBLE_EQ(f.form.waku.top, 1045.5);
}

TEST(FrameCircle, OffAndOnAgainKeepsSizeAndColour) {
  SettingsPage f;
  f.form.circleCheck.Click();
  f.form.HScroll8.SetValue(1000);
  f.dialogs.colorAnswers.push_back(RgbColor(0, 0, 255));
  f.form.circlecolor.Click();
  EXPECT_EQ(f.dialogs.colorCalls.back(), std::make_pair(RgbColor(128, 128, 0), 1u));
  EXPECT_EQ(f.form.circleCheck.foreColor, RgbColor(0, 0, 255));
  EXPECT_EQ(f.form.waku.borderColor, RgbColor(0, 0, 255));

  f.form.circleCheck.Click();
  EXPECT_FALSE(f.form.waku.visible);
  EXPECT_FALSE(f.form.circlecolor.enabled);
  EXPECT_FALSE(f.form.HScroll8.enabled);
  EXPECT_EQ(f.form.HScroll8.value, 1000);

  f.form.circleCheck.Click();
  EXPECT_TRUE(f.form.waku.visible);
  EXPECT_EQ(f.form.waku.width, 1000);
  EXPECT_EQ(f.form.waku.left, 850);
  EXPECT_EQ(f.form.waku.borderColor, RgbColor(0, 0, 255));
}

TEST(FrameCircle, ColourCancelChangesNothing) {
  SettingsPage f;
  f.form.circleCheck.Click();
  f.form.waku.width = 5;  // anything the cancelled dialog must not re-apply
  f.dialogs.colorAnswers.push_back(std::nullopt);
  f.form.circlecolor.Click();
  EXPECT_EQ(f.form.circleCheck.foreColor, RgbColor(128, 128, 0));
  EXPECT_EQ(f.form.waku.width, 5);
}

TEST(FrameCircle, ColourConfirmReappliesSizeFromSlider) {
  SettingsPage f;
  f.form.circleCheck.Click();
  f.form.HScroll8.SetValue(300);
  f.form.waku.Place(0, 0, 10, 10);
  f.dialogs.colorAnswers.push_back(RgbColor(1, 2, 3));
  f.form.circlecolor.Click();
  EXPECT_EQ(f.form.waku.width, 300);
  EXPECT_EQ(f.form.waku.left, 1200);
  EXPECT_TRUE(f.form.HScroll8.enabled);
}

}  // namespace
}  // namespace designer
