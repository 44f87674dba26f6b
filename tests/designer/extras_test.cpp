// Cuckoo and digital read-out controls, and dropping the read-out on the preview.
#include <gtest/gtest.h>

#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;

struct SettingsPage : FormFixture {
  SettingsPage() { GoToPage(1); }
  bool ArrowsEnabled() const {
    return form.hato_top.enabled && form.hato_bottom.enabled && form.hato_left.enabled && form.hato_right.enabled;
  }
  bool AnyArrowEnabled() const {
    return form.hato_top.enabled || form.hato_bottom.enabled || form.hato_left.enabled || form.hato_right.enabled;
  }
};

TEST(Cuckoo, CheckBoxesExcludeEachOther) {
  SettingsPage f;
  f.form.hatoCheck1.Click();
  EXPECT_TRUE(f.form.Image3.visible);
  EXPECT_FALSE(f.form.Image4.visible);
  EXPECT_TRUE(f.form.Label34.enabled);
  EXPECT_FALSE(f.form.Label35.enabled);
  EXPECT_TRUE(f.ArrowsEnabled());

  f.form.hatoCheck2.Click();
  EXPECT_FALSE(f.form.hatoCheck1.checked());
  EXPECT_TRUE(f.form.hatoCheck2.checked());
  EXPECT_FALSE(f.form.Image3.visible);
  EXPECT_TRUE(f.form.Image4.visible);
  EXPECT_FALSE(f.form.Label34.enabled);
  EXPECT_TRUE(f.form.Label35.enabled);
  EXPECT_TRUE(f.ArrowsEnabled());

  f.form.hatoCheck1.SetValue(1);  // from code, as the import does
  EXPECT_FALSE(f.form.hatoCheck2.checked());
  EXPECT_TRUE(f.form.Image3.visible);
  EXPECT_FALSE(f.form.Image4.visible);
  EXPECT_TRUE(f.ArrowsEnabled());
}

TEST(Cuckoo, ClearingTheOnlyCheckDisablesArrowsAndHidesPicture) {
  SettingsPage f;
  f.form.hatoCheck2.Click();
  f.form.hatoCheck2.Click();
  EXPECT_FALSE(f.form.Image4.visible);
  EXPECT_FALSE(f.form.Label35.enabled);
  EXPECT_FALSE(f.AnyArrowEnabled());
  f.form.hato_left.Click();  // disabled: nothing moves
  EXPECT_EQ(f.form.Image4.left, 1140);
}

TEST(Cuckoo, ArrowsMoveTheChosenPictureByTenTwipsWithoutLimit) {
  SettingsPage f;
  f.form.hatoCheck1.Click();
  for (int i = 0; i < 5; ++i) f.form.hato_left.Click();
  EXPECT_EQ(f.form.Image3.left, 1090);
  f.form.hato_bottom.Click();
  EXPECT_EQ(f.form.Image3.top, 970);
  for (int i = 0; i < 200; ++i) f.form.hato_top.Click();
  EXPECT_EQ(f.form.Image3.top, -1030);
  f.form.hato_right.Click();
  EXPECT_EQ(f.form.Image3.left, 1100);
  EXPECT_EQ(f.form.Image4.left, 1140);  // B's place persists while A moves

  f.form.hatoCheck2.Click();
  f.form.hato_right.Click();
  EXPECT_EQ(f.form.Image4.left, 1150);
  EXPECT_EQ(f.form.Image3.left, 1100);
}

TEST(Readout, SwitchingOnResetsPlaceAndStyleEveryTime) {
  SettingsPage f;
  f.form.digicheck.Click();
  EXPECT_TRUE(f.form.digitxt.visible);
  EXPECT_EQ(f.form.digitxt.left, 1950);
  EXPECT_EQ(f.form.digitxt.top, 2460);
  EXPECT_TRUE(f.form.digistyle2.value);
  EXPECT_TRUE(f.form.digistyle1.enabled && f.form.digistyle2.enabled && f.form.digifont.enabled);
  EXPECT_TRUE(f.form.fontmove_up.enabled && f.form.fontmove_right.enabled);

  f.form.fontmove_up.Click();
  f.form.fontmove_right.Click();
  f.form.fontmove_right.Click();
  EXPECT_EQ(f.form.digitxt.top, 2450);
  EXPECT_EQ(f.form.digitxt.left, 1970);
  f.form.digistyle1.Click();

  f.form.digicheck.Click();
  EXPECT_FALSE(f.form.digitxt.visible);
  EXPECT_FALSE(f.form.digistyle1.value || f.form.digistyle2.value);
  EXPECT_FALSE(f.form.digistyle1.enabled || f.form.digistyle2.enabled || f.form.digifont.enabled);
  EXPECT_FALSE(f.form.fontmove_down.enabled);

  f.form.digicheck.Click();
  EXPECT_EQ(f.form.digitxt.left, 1950);
  EXPECT_EQ(f.form.digitxt.top, 2460);
  EXPECT_TRUE(f.form.digistyle2.value);
  EXPECT_FALSE(f.form.digistyle1.value);
}

TEST(Readout, FontDialogSetsFontAndColourAndRemembersItsLastUse) {
  SettingsPage f;
  f.form.digicheck.Click();
  const FontChoice gothic{{L"IPAGothic", 14, false, true, true, true}, RgbColor(0, 128, 255)};
  f.dialogs.fontAnswers.push_back(gothic);
  f.form.digifont.Click();
  ASSERT_EQ(f.dialogs.fontCalls.size(), 1u);
  EXPECT_EQ(f.dialogs.fontCalls[0].first, std::nullopt);  // not preset from the label
  EXPECT_EQ(f.dialogs.fontCalls[0].second, 259u);
  EXPECT_EQ(f.form.digitxt.font, gothic.font);
  EXPECT_EQ(f.form.digitxt.foreColor, gothic.color);

  f.dialogs.fontAnswers.push_back(std::nullopt);
  f.form.digifont.Click();
  EXPECT_EQ(f.dialogs.fontCalls[1].first, gothic);
  EXPECT_EQ(f.form.digitxt.font, gothic.font);  // cancel keeps font, size and colour
  EXPECT_EQ(f.form.digitxt.foreColor, gothic.color);
}

TEST(Readout, FontAndColourPersistAcrossOffAndOn) {
  SettingsPage f;
  f.form.digicheck.Click();
  f.dialogs.fontAnswers.push_back(FontChoice{{L"IPAPGothic", 20}, RgbColor(1, 1, 1)});
  f.form.digifont.Click();
  f.form.digicheck.Click();
  f.form.digicheck.Click();
  EXPECT_EQ(f.form.digitxt.font.name, L"IPAPGothic");
  EXPECT_EQ(f.form.digitxt.foreColor, RgbColor(1, 1, 1));
}

TEST(Readout, DropPutsTopLeftCornerAtThePoint) {
  SettingsPage f;
  f.form.digicheck.Click();
  ASSERT_TRUE(f.form.IsPreviewDropPoint(300, 450));
  f.form.OLGPic1_DragDrop(f.form.digitxt, 300, 450);
  EXPECT_EQ(f.form.digitxt.left, 300);
  EXPECT_EQ(f.form.digitxt.top, 450);
}

TEST(Readout, DropOnReadoutCuckooOrOutsideIsNoDrop) {
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
}

}  // namespace
}  // namespace designer
