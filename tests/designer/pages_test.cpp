// Page flow, the two modes of the clock selection page, and applying the sample templates.
#include <gtest/gtest.h>

#include "designer/model/texts.h"
#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;
constexpr int kSelect = 0, kSettings = 1, kCreate = 2, kInfo = 3;

TEST(PageFlow, EachPageShowsOnlyItsFrame) {
  FormFixture f;
  Control* frames[] = {&f.form.Frame1, &f.form.Frame2, &f.form.Frame3, &f.form.Frame4};
  for (int page : {kSettings, kCreate, kInfo, kSelect, kCreate}) {
    f.GoToPage(page);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(frames[i]->visible, i == page) << "page " << page << " frame " << i;
  }
}

TEST(PageFlow, ModesShowTheirOwnControls) {
  FormFixture f;
  DesignerForm& form = f.form;
  // Before a choice neither mode's controls show.
  EXPECT_FALSE(form.Option3.Shown() || form.PS_Text1.Shown() || form.reini.Shown() || form.rgpedit.Shown());

  form.Option2.Click();
  EXPECT_TRUE(form.Option2.value);
  for (Control* c : std::initializer_list<Control*>{&form.photoselect2, &form.PS_Text1, &form.PS_Text2,
                                                    &form.PS_Label1, &form.PS_Label2, &form.PS_Label3,
                                                    &form.PS_Label4, &form.Label26, &form.reini, &form.rgpedit}) {
    EXPECT_TRUE(c->Shown()) << std::string(c->name.begin(), c->name.end());
  }
  EXPECT_FALSE(form.photoselect1.visible);
  EXPECT_FALSE(form.Option3.Shown());

  form.Option1.Click();
  EXPECT_TRUE(form.Option1.value);
  EXPECT_FALSE(form.Option2.value);
  EXPECT_TRUE(form.photoselect1.visible);
  for (OptionButton* o : {&form.Option3, &form.Option4, &form.Option5, &form.Option6}) EXPECT_TRUE(o->Shown());
  for (Control* c : std::initializer_list<Control*>{&form.photoselect2, &form.PS_Text1, &form.PS_Label4,
                                                    &form.Label26, &form.reini, &form.rgpedit}) {
    EXPECT_FALSE(c->Shown()) << std::string(c->name.begin(), c->name.end());
  }
}

TEST(PageFlow, TemplateOptionsExcludeEachOther) {
  FormFixture f;
  f.ChooseTemplate(0);
  f.form.Option5.Click();
  EXPECT_EQ(f.form.SelectedTemplate(), 2);
  EXPECT_FALSE(f.form.Option3.value);
}

class EachTemplate : public ::testing::TestWithParam<int> {};

TEST_P(EachTemplate, EnteringSettingsAppliesEveryValue) {
  const int index = GetParam();
  const TemplateValues& t = kTemplates[size_t(index)];
  FormFixture f;
  const std::wstring picture = L"C:\\CLOCK\\sample\\" + std::wstring(t.name) + L".bmp";
  f.pictures.Add(picture);
  f.ChooseTemplate(index);
  f.GoToPage(kSettings);
  DesignerForm& form = f.form;

  EXPECT_EQ(form.clbox1.fillColor, t.secondColor);
  EXPECT_EQ(form.HScroll1.value, t.secondLength);
  EXPECT_EQ(form.HScroll5.value, t.secondWidth);
  EXPECT_EQ(form.clbox2.fillColor, t.hourColor);
  EXPECT_EQ(form.HScroll2.value, t.hourLength);
  EXPECT_EQ(form.HScroll6.value, t.hourWidth);
  EXPECT_EQ(form.clbox3.fillColor, t.minuteColor);
  EXPECT_EQ(form.HScroll3.value, t.minuteLength);
  EXPECT_EQ(form.HScroll7.value, t.minuteWidth);
  EXPECT_EQ(form.clbox4.fillColor, t.centerDotColor);
  EXPECT_EQ(form.HScroll4.value, t.centerDotSize);
  // The width handlers ran; the hands took their swatches' colours.
  EXPECT_EQ(form.Line1.borderWidth, t.secondWidth);
  EXPECT_EQ(form.Line2.borderWidth, t.hourWidth);
  EXPECT_EQ(form.Line3.borderWidth, t.minuteWidth);
  EXPECT_EQ(form.Line1.borderColor, t.secondColor);
  EXPECT_EQ(form.Line2.borderColor, t.hourColor);
  EXPECT_EQ(form.Line3.borderColor, t.minuteColor);

  EXPECT_EQ(form.picturePath, picture);
  ASSERT_NE(form.OLGPic1.picture, nullptr);
  EXPECT_EQ(form.OLGPic1.pictureFile, picture);
  EXPECT_EQ(form.gosw1.text, L"1");
  EXPECT_EQ(form.digicheck.checked(), index == 2);
  EXPECT_EQ(form.circleCheck.checked(), index == 3);
  EXPECT_EQ(form.digitxt.visible, index == 2);
  EXPECT_EQ(form.waku.visible, index == 3);
}

INSTANTIATE_TEST_SUITE_P(Samples, EachTemplate, ::testing::Range(0, 4));

TEST(Templates, TableHoldsTheSampleValues) {
  EXPECT_STREQ(kTemplates[0].name, L"kaichu");
  EXPECT_STREQ(kTemplates[1].name, L"army");
  EXPECT_STREQ(kTemplates[2].name, L"hato");
  EXPECT_STREQ(kTemplates[3].name, L"meca");
  EXPECT_EQ(kTemplates[0].secondColor, RgbColor(111, 111, 111));
  EXPECT_EQ(kTemplates[1].hourColor, RgbColor(120, 151, 186));
  EXPECT_EQ(kTemplates[1].minuteColor, RgbColor(137, 184, 181));
  EXPECT_EQ(kTemplates[2].hourColor, RgbColor(188, 188, 141));
  EXPECT_EQ(kTemplates[2].minuteColor, RgbColor(224, 225, 202));
  EXPECT_EQ(kTemplates[3].hourColor, RgbColor(255, 255, 0));
  EXPECT_EQ(kTemplates[3].minuteColor, RgbColor(0, 0, 255));
  EXPECT_EQ(kTemplates[3].centerDotColor, RgbColor(128, 128, 0));
}

TEST(Templates, HatoPutsTheReadoutAtItsPlaceWithHourMinuteStyle) {
  FormFixture f;
  f.ChooseTemplate(2);
  f.GoToPage(kSettings);
  DesignerForm& form = f.form;
  EXPECT_EQ(form.digitxt.left, 1130);
  EXPECT_EQ(form.digitxt.top, 690);
  EXPECT_TRUE(form.digistyle1.value);
  EXPECT_FALSE(form.digistyle2.value);
  EXPECT_TRUE(form.digifont.enabled);
  EXPECT_EQ(form.digitxt.font, (FontSpec{L"Times New Roman", 9.75, true, false, false, false}));
  EXPECT_EQ(form.digitxt.foreColor, 65535);
  EXPECT_FALSE(form.circleCheck.checked());
}

TEST(Templates, HatoAgainWithReadoutAlreadyOnEndsAtTheSamePlace) {
  FormFixture f;
  f.ChooseTemplate(2);
  f.GoToPage(kSettings);
  f.form.fontmove_left.Click();
  f.form.digistyle2.Click();
  f.GoToPage(kCreate);
  f.GoToPage(kSettings);  // digicheck is already set: its handler does not run again
  EXPECT_EQ(f.form.digitxt.left, 1130);
  EXPECT_EQ(f.form.digitxt.top, 690);
  EXPECT_TRUE(f.form.digistyle1.value);
  EXPECT_FALSE(f.form.digistyle2.value);
}

TEST(Templates, MecaSizesAndColoursTheFrameCircle) {
  FormFixture f;
  f.ChooseTemplate(3);
  f.GoToPage(kSettings);
  DesignerForm& form = f.form;
  EXPECT_EQ(form.circleCheck.foreColor, 255);
  EXPECT_EQ(form.waku.borderColor, 255);
  EXPECT_EQ(form.HScroll8.value, 609);
  EXPECT_TRUE(form.HScroll8.enabled);
  EXPECT_TRUE(form.circlecolor.enabled);
  EXPECT_EQ(form.waku.width, 609);
  EXPECT_EQ(form.waku.height, 609);
  EXPECT_EQ(form.waku.left, 1045);  // placed after the slider's handler centred it at 1045.5
  EXPECT_EQ(form.waku.top, 1045);
  EXPECT_EQ(form.circleDiameter, 609);
  EXPECT_FALSE(form.digicheck.checked());
}

TEST(Templates, LaterTemplateSwitchesOffEarlierGroups) {
  FormFixture f;
  f.ChooseTemplate(3);
  f.GoToPage(kSettings);
  f.GoToPage(kSelect);
  f.form.Option5.Click();
  f.GoToPage(kSettings);
  EXPECT_FALSE(f.form.circleCheck.checked());
  EXPECT_FALSE(f.form.waku.visible);
  EXPECT_EQ(f.form.HScroll8.value, 609);  // the slider keeps its value while off
  f.GoToPage(kSelect);
  f.form.Option3.Click();
  f.GoToPage(kSettings);
  EXPECT_FALSE(f.form.digicheck.checked());
  EXPECT_FALSE(f.form.digitxt.visible);
  EXPECT_FALSE(f.form.digistyle1.value || f.form.digistyle2.value);
}

TEST(Templates, ReenteringSettingsRestoresTemplateValues) {
  FormFixture f;
  f.ChooseTemplate(0);
  f.GoToPage(kSettings);
  f.dialogs.colorAnswers.push_back(RgbColor(1, 2, 3));
  f.form.ColorBT1.Click();
  f.form.HScroll1.SetValue(120);
  EXPECT_EQ(f.form.Line1.borderColor, RgbColor(1, 2, 3));
  f.GoToPage(kCreate);
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.clbox1.fillColor, 7303023);
  EXPECT_EQ(f.form.Line1.borderColor, 7303023);
  EXPECT_EQ(f.form.HScroll1.value, 70);
}

TEST(Templates, EnteringSettingsResetsTheCuckooButKeepsItsPlace) {
  FormFixture f;
  f.ChooseTemplate(2);
  f.GoToPage(kSettings);
  f.form.hatoCheck1.Click();
  f.form.hato_left.Click();
  f.GoToPage(kInfo);
  f.GoToPage(kSettings);
  EXPECT_FALSE(f.form.hatoCheck1.checked() || f.form.hatoCheck2.checked());
  EXPECT_FALSE(f.form.Image3.visible || f.form.Image4.visible);
  EXPECT_FALSE(f.form.hato_top.enabled || f.form.Label34.enabled);
  EXPECT_EQ(f.form.Image3.left, 1130);
}

TEST(Templates, TemplateModeWithoutTemplateAppliesNothingButResetsCuckooAndHands) {
  FormFixture f;
  f.form.Option1.Click();
  f.GoToPage(kSettings);
  f.form.hatoCheck2.Click();
  f.dialogs.colorAnswers.push_back(RgbColor(9, 9, 9));
  f.form.ColorBT2.Click();
  f.form.Line2.borderColor = RgbColor(1, 1, 1);  // out of step with its swatch
  f.GoToPage(kSelect);
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.gosw1.text, L"0");
  EXPECT_EQ(f.form.HScroll1.value, 50);
  EXPECT_EQ(f.form.clbox2.fillColor, RgbColor(9, 9, 9));
  EXPECT_EQ(f.form.Line2.borderColor, RgbColor(9, 9, 9));
  EXPECT_FALSE(f.form.hatoCheck2.checked());
  EXPECT_FALSE(f.form.Image4.visible);
  EXPECT_TRUE(f.pictures.loads.empty());
}

TEST(Templates, MissingSamplePictureLeavesPreviewEmptyAndPageOpen) {
  FormFixture f;
  f.ChooseTemplate(1);  // no picture registered
  f.GoToPage(kSettings);
  EXPECT_TRUE(f.form.Frame2.visible);
  EXPECT_EQ(f.form.OLGPic1.picture, nullptr);
  EXPECT_EQ(f.form.HScroll1.value, 75);
  EXPECT_EQ(f.form.gosw1.text, L"1");
}

TEST(OwnPicture, SettingsPageLoadsPictureFromSecondField) {
  FormFixture f;
  f.pictures.Add(L"E:\\faces\\mine.bmp");
  f.form.Option2.Click();
  f.form.PS_Text2.text = L"E:\\faces\\mine.bmp";
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.picturePath, L"E:\\faces\\mine.bmp");
  ASSERT_NE(f.form.OLGPic1.picture, nullptr);

  // A field naming a bad file clears the preview picture; nothing else changes.
  f.GoToPage(kSelect);
  f.form.PS_Text2.text = L"E:\\faces\\gone.bmp";
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.OLGPic1.picture, nullptr);
  EXPECT_TRUE(f.form.Frame2.visible);
}

TEST(OwnPicture, EmptySecondFieldLoadsNothing) {
  FormFixture f;
  f.form.Option2.Click();
  f.GoToPage(kSettings);
  EXPECT_TRUE(f.pictures.loads.empty());
  EXPECT_EQ(f.form.picturePath, L"");
}

TEST(OwnPicture, ChoosingItResetsTheTemplateFlag) {
  FormFixture f;
  f.ChooseTemplate(0);
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.gosw1.text, L"1");
  f.GoToPage(kSelect);
  f.form.Option1.Click();  // again: changes nothing
  EXPECT_EQ(f.form.gosw1.text, L"1");
  f.form.Option2.Click();
  EXPECT_EQ(f.form.gosw1.text, L"0");
  f.form.Option1.Click();
  EXPECT_EQ(f.form.gosw1.text, L"0");
}

struct StatusCase {
  bool templateApplied;
  const wchar_t* regionPath;
  const wchar_t* picturePath;
  bool ready;
};

class CreatePageStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(CreatePageStatus, SaysWhetherTheFaceIsReady) {
  const StatusCase& c = GetParam();
  FormFixture f;
  if (c.templateApplied) {
    f.ChooseTemplate(0);
    f.GoToPage(kSettings);
  } else {
    f.form.Option2.Click();
  }
  f.form.PS_Text1.text = c.regionPath;
  f.form.PS_Text2.text = c.picturePath;
  f.GoToPage(kCreate);
  EXPECT_EQ(f.form.Label5.caption, c.ready ? L"時計データをiniファイルとして保存します。"
                                           : L"ﾘｰｼﾞｮﾝﾌｧｲﾙや時計の画像がまだ設定されていません。");
  EXPECT_EQ(f.form.Label1.caption, c.ready ? L"下のボタンを押すと、設定したデータを保存します。"
                                           : L"【時計選択】画面へ戻って設定をしてください。");
  EXPECT_TRUE(f.form.Frame3.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreatePageStatus,
    ::testing::Values(StatusCase{true, L"", L"", true}, StatusCase{false, L"", L"", false},
                      StatusCase{false, L"a.rgp", L"", false}, StatusCase{false, L"", L"a.bmp", false},
                      StatusCase{false, L"a.rgp", L"a.bmp", true}));

TEST(CreatePage, StatusFollowsTheTemplateFlagSetElsewhere) {
  FormFixture f;
  f.form.gosw1.text = L"1";  // as the region file maker leaves it
  f.GoToPage(kCreate);
  EXPECT_EQ(f.form.Label5.caption, text::kWillSave);
  f.GoToPage(kSelect);
  f.form.Option2.Click();
  f.GoToPage(kCreate);
  EXPECT_EQ(f.form.Label5.caption, text::kNotSetYet);
}

}  // namespace
}  // namespace designer
