// Start-up folder rules, page flow, the two modes of the clock selection page, applying the sample
// templates, and the create page's status lines.
#include <gtest/gtest.h>

#include "designer/model/texts.h"
#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;
constexpr int kSelect = 0, kSettings = 1, kCreate = 2, kInfo = 3;

TEST(Startup, RootComesFromTheStartFolder) {
  struct Case {
    const wchar_t *start, *base;
    bool movesUp;
  } cases[] = {
      {L"D:\\Tools\\Clock\\program", L"D:\\Tools\\Clock", true},
      {L"D:\\Tools\\Clock", L"D:\\Tools\\Clock", false},
      {L"D:\\Tools\\myprogram", L"D:\\Tools", true},  // the test is on characters, not folder names
      {L"D:\\Tools\\Program", L"D:\\Tools\\Program", false},
      {L"D:\\Tools\\programs", L"D:\\Tools\\programs", false},
      {L"C:\\program", L"C:", true},  // a drive root: paths below it get no double separator
      {L"C:\\", L"C:", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start, c.start + wcslen(c.start)));
    FormFixture f(c.start);
    EXPECT_EQ(f.form.baseDir, c.base);
    EXPECT_EQ(f.form.settingsPath, std::wstring(c.base) + L"\\program\\tkt.ini");
    EXPECT_EQ(f.form.helpFile, std::wstring(c.base) + L"\\program\\help\\clock.html");
    EXPECT_EQ(f.folders.changes.size(), c.movesUp ? 1u : 0u);
  }
}

TEST(PageFlow, EachPageShowsOnlyItsFrameAndEachModeItsControls) {
  FormFixture f;
  DesignerForm& form = f.form;
  Control* frames[] = {&form.Frame1, &form.Frame2, &form.Frame3, &form.Frame4};
  for (int page : {kSettings, kCreate, kInfo, kSelect}) {
    f.GoToPage(page);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(frames[i]->visible, i == page) << "page " << page << " frame " << i;
  }
  EXPECT_FALSE(form.Option3.Shown() || form.PS_Text1.Shown() || form.reini.Shown() || form.rgpedit.Shown());
  form.Option2.Click();
  EXPECT_TRUE(form.PS_Text1.Shown() && form.PS_Text2.Shown() && form.reini.Shown() && form.rgpedit.Shown());
  EXPECT_FALSE(form.photoselect1.visible || form.Option3.Shown());
  form.Option1.Click();
  EXPECT_FALSE(form.Option2.value);
  EXPECT_TRUE(form.Option3.Shown() && form.Option6.Shown());
  EXPECT_FALSE(form.PS_Text1.Shown() || form.reini.Shown() || form.rgpedit.Shown());
}

// The samples' hands as the template table gives them: second, hour, minute.
struct TemplateCase {
  int index;
  const wchar_t* name;
  int32_t colors[3];
  int widths[3];
  bool digital, frame;
};
const TemplateCase kTemplateCases[] = {
    {0, L"kaichu", {7303023, 15724527, 14671839}, {1, 4, 2}, false, false},
    {1, L"army", {12566463, 12228472, 11909257}, {1, 4, 2}, false, false},
    {2, L"hato", {16777215, 9288892, 13296096}, {1, 3, 2}, true, false},
    {3, L"meca", {16777215, 65535, 16711680}, {2, 13, 9}, false, true},
};

class EachTemplate : public ::testing::TestWithParam<TemplateCase> {};

// The other values are checked through the export's lines; here, that the handlers ran.
TEST_P(EachTemplate, EnteringSettingsAppliesItThroughTheHandlers) {
  const TemplateCase& t = GetParam();
  FormFixture f;
  const std::wstring picture = L"C:\\CLOCK\\sample\\" + std::wstring(t.name) + L".bmp";
  f.pictures.Add(picture);
  f.ChooseTemplate(t.index);
  f.GoToPage(kSettings);
  DesignerForm& form = f.form;
  const LineShape* hands[] = {&form.Line1, &form.Line2, &form.Line3};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(hands[i]->borderWidth, t.widths[i]) << "hand " << i;
    EXPECT_EQ(hands[i]->borderColor, t.colors[i]) << "hand " << i;
  }
  EXPECT_EQ(form.OLGPic1.pictureFile, picture);
  EXPECT_NE(form.OLGPic1.picture, nullptr);
  EXPECT_EQ(form.gosw1.text, L"1");
  EXPECT_EQ(form.digitxt.visible, t.digital);
  EXPECT_EQ(form.waku.visible, t.frame);
}

INSTANTIATE_TEST_SUITE_P(Samples, EachTemplate, ::testing::ValuesIn(kTemplateCases));

TEST(Templates, ReenteringSettingsRestoresTemplateValues) {
  FormFixture f;
  f.ChooseTemplate(0);
  f.GoToPage(kSettings);
  f.dialogs.colorAnswers.push_back(RgbColor(1, 2, 3));
  f.form.ColorBT1.Click();
  f.form.HScroll1.SetValue(120);
  f.GoToPage(kCreate);
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.clbox1.fillColor, 7303023);
  EXPECT_EQ(f.form.Line1.borderColor, 7303023);
  EXPECT_EQ(f.form.HScroll1.value, 70);

  // With the read-out already on its handler does not run again, yet place and style come back.
  f.GoToPage(kSelect);
  f.form.Option5.Click();
  f.GoToPage(kSettings);
  f.form.fontmove_left.Click();
  f.form.digistyle2.Click();
  f.GoToPage(kCreate);
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.digitxt.left, 1130);
  EXPECT_EQ(f.form.digitxt.top, 690);
  EXPECT_TRUE(f.form.digistyle1.value);
  EXPECT_FALSE(f.form.digistyle2.value);
}

TEST(Templates, LaterTemplateSwitchesOffEarlierGroups) {
  FormFixture f;
  f.ChooseTemplate(3);
  f.GoToPage(kSettings);
  f.GoToPage(kSelect);
  f.form.Option5.Click();
  f.GoToPage(kSettings);
  EXPECT_FALSE(f.form.circleCheck.checked() || f.form.waku.visible);
  EXPECT_EQ(f.form.HScroll8.value, 609);  // the slider keeps its value while off
  f.GoToPage(kSelect);
  f.form.Option3.Click();
  f.GoToPage(kSettings);
  EXPECT_FALSE(f.form.digicheck.checked() || f.form.digitxt.visible);
  EXPECT_FALSE(f.form.digistyle1.value || f.form.digistyle2.value);
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
  EXPECT_FALSE(f.form.Image3.visible || f.form.hato_top.enabled || f.form.Label34.enabled);
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
  EXPECT_EQ(f.form.Line2.borderColor, RgbColor(9, 9, 9));
  EXPECT_FALSE(f.form.hatoCheck2.checked() || f.form.Image4.visible);
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

TEST(OwnPicture, SettingsPageLoadsTheSecondFieldAndSurvivesABadOne) {
  FormFixture f;
  f.form.Option2.Click();
  f.GoToPage(kSettings);
  EXPECT_TRUE(f.pictures.loads.empty());  // an empty field loads nothing
  f.GoToPage(kSelect);
  f.pictures.Add(L"E:\\faces\\mine.bmp");
  f.form.PS_Text2.text = L"E:\\faces\\mine.bmp";
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.picturePath, L"E:\\faces\\mine.bmp");
  ASSERT_NE(f.form.OLGPic1.picture, nullptr);
  f.GoToPage(kSelect);
  f.form.PS_Text2.text = L"E:\\faces\\gone.bmp";
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.OLGPic1.picture, nullptr);
  EXPECT_TRUE(f.form.Frame2.visible);

  // A relative path means the same file as in the exported settings: one from the clock's own folder.
  f.GoToPage(kSelect);
  f.pictures.Add(L"C:\\CLOCK\\faces\\mine.bmp");
  f.form.PS_Text2.text = L"..\\faces\\mine.bmp";
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.picturePath, L"C:\\CLOCK\\faces\\mine.bmp");
  EXPECT_NE(f.form.OLGPic1.picture, nullptr);

  f.GoToPage(kSelect);
  f.pictures.outOfMemory = true;
  f.GoToPage(kSettings);
  EXPECT_EQ(f.form.OLGPic1.picture, nullptr);
  EXPECT_TRUE(f.form.Frame2.visible);
}

TEST(OwnPicture, ChoosingItResetsTheTemplateFlag) {
  FormFixture f;
  f.ChooseTemplate(0);
  f.GoToPage(kSettings);
  f.GoToPage(kSelect);
  f.form.Option1.Click();  // again: changes nothing
  EXPECT_EQ(f.form.gosw1.text, L"1");
  f.form.Option2.Click();
  EXPECT_EQ(f.form.gosw1.text, L"0");
  f.form.Option1.Click();
  EXPECT_EQ(f.form.gosw1.text, L"0");
}

TEST(CreatePage, StatusSaysWhetherTheFaceIsReady) {
  struct Case {
    const char* name;
    bool templateApplied;
    const wchar_t *region, *picture;
    bool ready;
  } cases[] = {
      {"template", true, L"", L"", true},         {"nothing", false, L"", L"", false},
      {"region only", false, L"a.rgp", L"", false}, {"picture only", false, L"", L"a.bmp", false},
      {"both", false, L"a.rgp", L"a.bmp", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormFixture f;
    if (c.templateApplied) {
      f.ChooseTemplate(0);
      f.GoToPage(kSettings);
    } else {
      f.form.Option2.Click();
    }
    f.form.PS_Text1.text = c.region;
    f.form.PS_Text2.text = c.picture;
    f.GoToPage(kCreate);
    EXPECT_EQ(f.form.Label5.caption, c.ready ? text::kWillSave : text::kNotSetYet);
    EXPECT_EQ(f.form.Label1.caption, c.ready ? L"下のボタンを押すと、設定したデータを保存します。"
                                             : L"【時計選択】画面へ戻って設定をしてください。");
  }
  // The flag as the region file maker leaves it counts too.
  FormFixture f;
  f.form.gosw1.text = L"1";
  f.GoToPage(kCreate);
  EXPECT_EQ(f.form.Label5.caption, text::kWillSave);
}

TEST(WindowCommands, PicturesChooseTheirOptionsHelpAndExitGoToTheShell) {
  FormFixture f;
  DesignerForm& form = f.form;
  form.Option1.Click();
  EXPECT_TRUE(form.Picture_Click(form.sampleThumb5));
  EXPECT_TRUE(form.Option5.value);
  EXPECT_FALSE(form.Picture_Click(form.Label10));
  EXPECT_TRUE(form.Picture_Click(form.Image2));
  EXPECT_TRUE(form.Option2.value);

  form.OpenHelp();
  ASSERT_EQ(f.messages.shown.size(), 1u);
  EXPECT_EQ(f.messages.shown[0], std::wstring(text::kHelpMissing) + L"\r\n" + form.helpFile);
  f.shell.documents.insert(form.helpFile);
  form.OpenHelp();
  EXPECT_EQ(f.messages.shown.size(), 1u);
  EXPECT_EQ(f.shell.opened, std::vector<std::wstring>(2, form.helpFile));

  EXPECT_EQ(f.shell.ends, 0);
  form.append.Click();
  EXPECT_EQ(f.shell.ends, 1);
}

}  // namespace
}  // namespace designer
