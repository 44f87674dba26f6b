// Start-up: the installation root from the current folder, the paths hung from it, design-time values.
#include <gtest/gtest.h>

#include "designer/model/texts.h"
#include "form_fakes.h"

namespace designer {
namespace {

using testing::FormFixture;

struct PathCase {
  const wchar_t* start;
  const wchar_t* base;
  bool movesUp;
};

class StartFolder : public ::testing::TestWithParam<PathCase> {};

TEST_P(StartFolder, GivesRootAndPathsBelowIt) {
  const PathCase& c = GetParam();
  FormFixture f(c.start);
  EXPECT_EQ(f.form.baseDir, c.base);
  EXPECT_EQ(f.form.settingsPath, std::wstring(c.base) + L"\\program\\tkt.ini");
  EXPECT_EQ(f.form.helpFile, std::wstring(c.base) + L"\\program\\help\\clock.html");
  EXPECT_EQ(f.folders.changes.size(), c.movesUp ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, StartFolder,
    ::testing::Values(PathCase{L"D:\\Tools\\Clock\\program", L"D:\\Tools\\Clock", true},
                      PathCase{L"D:\\Tools\\Clock", L"D:\\Tools\\Clock", false},
                      // Any name ending in "program" moves up; the test is on characters, not folder names.
                      PathCase{L"D:\\Tools\\myprogram", L"D:\\Tools", true},
                      PathCase{L"D:\\Tools\\Program", L"D:\\Tools\\Program", false},
                      PathCase{L"D:\\Tools\\programs", L"D:\\Tools\\programs", false},
                      // A drive root comes back with its separator; paths below it get no double one.
                      PathCase{L"C:\\program", L"C:", true}, PathCase{L"C:\\", L"C:", false}));

TEST(Startup, LoadSeedsWindowAndPreview) {
  FormFixture f;
  DesignerForm& form = f.form;
  EXPECT_EQ(form.appTitle, L"Tock Tide");
  EXPECT_EQ(form.Form1.caption, L"Tocktide v2.0 - TOOL");
  EXPECT_EQ(form.previewLengthScale, 90);
  EXPECT_FLOAT_EQ(form.secondLengthFactor, 5.0f);
  EXPECT_FLOAT_EQ(form.hourLengthFactor, 5.0f);
  EXPECT_FLOAT_EQ(form.minuteLengthFactor, 5.0f);
  for (int row = 1; row <= 3; ++row) {
    EXPECT_EQ(form.Hand(row).x1, 1350);
    EXPECT_EQ(form.Hand(row).y1, 1350);
    EXPECT_EQ(form.Hand(row).borderColor, form.Swatch(row).fillColor);
  }
  EXPECT_EQ(form.Form1.width, 8780);
  EXPECT_EQ(form.Form1.height, 5985);
  EXPECT_EQ(form.MultiPage1.left, 90);
  EXPECT_EQ(form.MultiPage1.top, 60);
  EXPECT_EQ(form.MultiPage1.width, 8000);
  EXPECT_EQ(form.MultiPage1.height, 5000);
  for (Control* frame : {&form.Frame1, &form.Frame2, &form.Frame3, &form.Frame4}) {
    EXPECT_EQ(frame->left, 180);
    EXPECT_EQ(frame->top, 180);
    EXPECT_EQ(frame->width, 6855);
    EXPECT_EQ(frame->height, 4755);
  }
  EXPECT_TRUE(form.Frame1.visible);
  EXPECT_FALSE(form.Frame2.visible || form.Frame3.visible || form.Frame4.visible);
  EXPECT_FALSE(form.Option1.value || form.Option2.value);
  EXPECT_EQ(form.Timer1.interval, 1000);
}

TEST(Startup, PagesCarryTheirCaptionsAndTips) {
  FormFixture f;
  const auto& pages = f.form.MultiPage1.pages;
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(pages[0].caption, L"時計選択");
  EXPECT_EQ(pages[0].tip, L"時計の画像を指定します。");
  EXPECT_EQ(pages[1].caption, L"基本設定");
  EXPECT_EQ(pages[1].tip, L"時計の基本的な設定をします。");
  EXPECT_EQ(pages[2].caption, L"作　　成");
  EXPECT_FALSE(pages[2].tip.empty());
  EXPECT_EQ(pages[3].caption, L"情　　報");
  EXPECT_EQ(pages[3].tip, L"このソフトの情報です。");
  EXPECT_EQ(f.form.append.caption, L"終　了");
}

TEST(Startup, DesignTimeValuesOfTheSettingsPage) {
  FormFixture f;
  DesignerForm& form = f.form;
  EXPECT_EQ(form.gosw1.text, L"0");
  EXPECT_FALSE(form.gosw1.visible);
  EXPECT_EQ(form.clbox1.fillColor, RgbColor(128, 128, 128));
  EXPECT_EQ(form.clbox2.fillColor, RgbColor(255, 255, 255));
  EXPECT_EQ(form.clbox3.fillColor, RgbColor(255, 255, 255));
  EXPECT_EQ(form.clbox4.fillColor, RgbColor(64, 0, 0));
  struct Range {
    int min, max, small, large, value;
    bool enabled;
  };
  const Range ranges[] = {{0, 180, 5, 20, 50, true},    {0, 180, 5, 20, 50, true}, {0, 180, 5, 20, 50, true},
                          {0, 2700, 1, 100, 120, true}, {1, 50, 1, 15, 1, true},   {1, 50, 1, 15, 3, true},
                          {1, 50, 1, 15, 2, true},      {0, 2700, 1, 10, 2700, false}};
  for (int i = 1; i <= 8; ++i) {
    SCOPED_TRACE(i);
    const ScrollBar& s = form.Slider(i);
    const Range& r = ranges[i - 1];
    EXPECT_EQ(s.min, r.min);
    EXPECT_EQ(s.max, r.max);
    EXPECT_EQ(s.smallChange, r.small);
    EXPECT_EQ(s.largeChange, r.large);
    EXPECT_EQ(s.value, r.value);
    EXPECT_EQ(s.enabled, r.enabled);
  }
  EXPECT_EQ(form.Line1.borderWidth, 1);
  EXPECT_EQ(form.Line2.borderWidth, 3);
  EXPECT_EQ(form.Line3.borderWidth, 2);
  for (CheckBox* box : {&form.circleCheck, &form.digicheck, &form.hatoCheck1, &form.hatoCheck2}) {
    EXPECT_FALSE(box->checked());
  }
  EXPECT_EQ(form.circleCheck.foreColor, RgbColor(128, 128, 0));
  EXPECT_FALSE(form.circlecolor.enabled);
  EXPECT_FALSE(form.waku.visible);
  EXPECT_FALSE(form.Label34.enabled || form.Label35.enabled);
  EXPECT_FALSE(form.Image3.visible || form.Image4.visible);
  EXPECT_EQ(form.Image3.left, 1140);
  EXPECT_EQ(form.Image3.top, 960);
  EXPECT_EQ(form.Image3.width, 450);
  EXPECT_EQ(form.Image3.height, 390);
  EXPECT_FALSE(form.digitxt.visible);
  EXPECT_EQ(form.digitxt.caption, L"--:--:--");
  EXPECT_EQ(form.digitxt.left, 1860);
  EXPECT_EQ(form.digitxt.top, 2220);
  EXPECT_EQ(form.digitxt.foreColor, RgbColor(255, 255, 0));
  EXPECT_EQ(form.digitxt.font, (FontSpec{L"Times New Roman", 12, true, false, false, false}));
  for (Control* c : std::initializer_list<Control*>{&form.digistyle1, &form.digistyle2, &form.digifont,
                                                    &form.fontmove_up, &form.hato_top, &form.hato_right}) {
    EXPECT_FALSE(c->enabled) << std::string(c->name.begin(), c->name.end());
  }
  EXPECT_FALSE(form.digistyle1.value || form.digistyle2.value);
  EXPECT_EQ(form.PS_Text1.backColor, RgbColor(224, 224, 224));
  EXPECT_FALSE(form.PS_Text1.enabled || form.PS_Text2.enabled);
  EXPECT_EQ(form.OLGPic1.width, 2760);
  EXPECT_EQ(form.OLGPic1.tip, L"デジタル表示はドラッグでも移動できます。");
}

}  // namespace
}  // namespace designer
