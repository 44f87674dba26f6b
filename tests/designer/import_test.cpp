// The import (reini / ImportSettings): each field into its control through the control's handler, files
// that change nothing, and the round trip with the export.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "designer/model/export.h"
#include "designer/model/import.h"
#include "faceformat/files.h"
#include "files_fakes.h"

namespace designer {
namespace {

namespace fs = std::filesystem;
using testing::FilesFixture;
constexpr int kSettings = 1;

// Everything the import may touch, and what it must leave alone, as one comparable text.
std::wstring Snapshot(const DesignerForm& d) {
  std::wostringstream o;
  auto ctl = [&](const Control& c) {
    o << c.name << '{' << c.visible << c.enabled << ' ' << c.left << ',' << c.top << ',' << c.width << ','
      << c.height << " fc" << c.foreColor << "} ";
  };
  for (const LineShape* l : {&d.Line1, &d.Line2, &d.Line3}) {
    ctl(*l);
    o << l->borderColor << '/' << l->borderWidth << ' ';
  }
  for (const Shape* s : {&d.clbox1, &d.clbox2, &d.clbox3, &d.clbox4, &d.centerdot, &d.waku}) {
    ctl(*s);
    o << s->fillColor << '/' << s->borderColor << ' ';
  }
  for (int i = 1; i <= 8; ++i) o << const_cast<DesignerForm&>(d).Slider(i).value << ' ';
  for (const CheckBox* c : {&d.circleCheck, &d.digicheck, &d.hatoCheck1, &d.hatoCheck2}) {
    ctl(*c);
    o << c->value << ' ';
  }
  for (const OptionButton* b : {&d.Option1, &d.Option2, &d.digistyle1, &d.digistyle2}) o << b->value;
  for (const Control* c : std::initializer_list<const Control*>{&d.digitxt, &d.Image3, &d.Image4, &d.Label34,
                                                                &d.Label35, &d.hato_top, &d.hato_right, &d.digifont,
                                                                &d.PS_Text1, &d.PS_Text2})
    ctl(*c);
  o << d.digitxt.font.name << d.digitxt.font.size << d.digitxt.font.bold << d.digitxt.font.italic
    << d.digitxt.font.underline << d.digitxt.font.strikethru;
  o << ' ' << d.PS_Text1.text << '|' << d.PS_Text2.text << '|' << d.gosw1.text << '|' << d.OLGPic1.pictureFile;
  return o.str();
}

class ImportTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(dir); }

  // Imports the given line through reini, as the user would.
  bool Import(const std::string& line) {
    const fs::path p = dir / ("in" + std::to_string(++count) + ".ini");
    EXPECT_TRUE(faceformat::WriteFileAtomic(p, line).ok());
    f.saves.answers.push_back(p.wstring());
    const size_t before = f.logged.shown.size();
    reini_Click(f.form, f.platform);
    return f.logged.shown.size() == before;
  }

  fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("import_test_" + std::to_string(std::random_device{}()));
    fs::create_directories(d);
    return d;
  }();
  int count = 0;
  FilesFixture f{dir.wstring()};  // the files are in the same installation as the designer
};

const std::string kHands = "\"C:\\F\\face.rgp\",\"C:\\F\\face.bmp\",255,120,3,65280,60,7,16711680,90,5,";

TEST_F(ImportTest, CancelledDialogDoesNothing) {
  const std::wstring before = Snapshot(f.form);
  f.saves.answers.push_back(std::nullopt);
  reini_Click(f.form, f.platform);
  ASSERT_EQ(f.saves.requests.size(), 1u);
  EXPECT_TRUE(f.logged.shown.empty());
  EXPECT_EQ(Snapshot(f.form), before);
  EXPECT_TRUE(f.form.fpath.text.empty());
}

TEST_F(ImportTest, HandsDotAndPathsGoIntoTheirControls) {
  f.form.Option1.Click();
  ASSERT_TRUE(Import(kHands + "4210752,300,,,,,,,,,,,,,,,,\r\n"));
  DesignerForm& d = f.form;
  EXPECT_EQ(d.fpath.text, (dir / "in1.ini").wstring());
  EXPECT_EQ(d.PS_Text2.text, L"C:\\F\\face.bmp");
  EXPECT_TRUE(d.PS_Text1.enabled && d.PS_Text2.enabled);
  // Through the handlers: hands take colour and width, the dot its place.
  EXPECT_EQ(d.Line1.borderColor, 255);
  EXPECT_EQ(d.Line3.borderWidth, 5);
  EXPECT_EQ(d.centerdot.fillColor, 4210752);
  EXPECT_EQ(d.centerdot.left, 1200);
  EXPECT_FALSE(d.circleCheck.checked() || d.digicheck.checked() || d.hatoCheck1.checked() || d.hatoCheck2.checked());
  // The mode, the flag and the preview picture are not the import's.
  EXPECT_TRUE(d.Option1.value);
  EXPECT_EQ(d.gosw1.text, L"0");
  EXPECT_TRUE(d.OLGPic1.pictureFile.empty());
}

TEST_F(ImportTest, ReadoutTakesPlaceFontColourAndAKnownStyleOnly) {
  DesignerForm& d = f.form;
  ASSERT_TRUE(Import(kHands + "64,136,,,300,450,\"hm\",\"IPAGothic\",14.25,#FALSE#,#TRUE#,#TRUE#,#FALSE#,255,,,,\r\n"));
  EXPECT_TRUE(d.digicheck.checked());
  EXPECT_TRUE(d.digitxt.visible);
  EXPECT_TRUE(d.digifont.enabled);
  EXPECT_EQ(d.digitxt.left, 300);
  EXPECT_EQ(d.digitxt.top, 450);
  EXPECT_EQ(d.digitxt.font, (FontLook{L"IPAGothic", 14.25, false, true, true, false}));
  EXPECT_EQ(d.digitxt.foreColor, 255);
  EXPECT_TRUE(d.digistyle1.value);
  EXPECT_FALSE(d.digistyle2.value);

  // No style, or one the designer does not know: the options stay as they were.
  for (const char* style : {"", "\"hx\""}) {
    SCOPED_TRACE(style);
    ASSERT_TRUE(Import(kHands + "64,136,,,700,800," + style +
                       ",\"IPAGothic\",9,#TRUE#,#FALSE#,#FALSE#,#TRUE#,65535,,,,\r\n"));
    EXPECT_TRUE(d.digistyle1.value);
    EXPECT_EQ(d.digitxt.left, 700);
    EXPECT_TRUE(d.digitxt.font.strikethru);
  }

  ASSERT_TRUE(Import(kHands + "64,136,,,,,,,,,,,,,,,,\r\n"));
  EXPECT_FALSE(d.digicheck.checked());
  EXPECT_FALSE(d.digitxt.visible);
  EXPECT_FALSE(d.digistyle1.value || d.digistyle2.value);
}

TEST_F(ImportTest, CuckooBothGivenBWinsAndNoneGivenSwitchesBothOff) {
  DesignerForm& d = f.form;
  ASSERT_TRUE(Import(kHands + "64,136,,,,,,,,,,,,,1100,900,1200.5,950\r\n"));
  EXPECT_FALSE(d.hatoCheck1.checked() || d.Image3.visible || d.Label34.enabled);
  EXPECT_TRUE(d.hatoCheck2.checked() && d.Image4.visible && d.Label35.enabled && d.hato_left.enabled);
  EXPECT_EQ(d.Image3.left, 1100);  // A's place is taken all the same
  EXPECT_EQ(d.Image4.left, 1200.5);
  ASSERT_TRUE(Import(kHands + "64,136" + std::string(13, ',') + "-491505,491505,,\r\n"));  // the edge of the range
  EXPECT_EQ(d.Image3.top, 491505);
  ASSERT_TRUE(Import(kHands + "64,136,,,,,,,,,,,,,,,,\r\n"));
  EXPECT_FALSE(d.hatoCheck1.checked() || d.hatoCheck2.checked() || d.Image3.visible || d.Image4.visible);
  EXPECT_FALSE(d.hato_top.enabled || d.Label35.enabled);
  // "" in the presence fields (frame, read-out, both cuckoos) is absent too, as the clock reads it.
  ASSERT_TRUE(Import(kHands + "64,136,255,\"\",\"\",,,,,,,,,,\"\",,\"\",\r\n"));
  EXPECT_FALSE(d.circleCheck.checked() || d.digicheck.checked() || d.hatoCheck1.checked() || d.hatoCheck2.checked());
}

TEST_F(ImportTest, BadFilesShowTheMessageAndChangeNothing) {
  // A face with everything on, so a half-done import would show.
  f.ChooseTemplate(2);
  f.GoToPage(kSettings);
  f.form.circleCheck.Click();
  f.form.hatoCheck1.Click();
  const std::wstring before = Snapshot(f.form);

  const std::string good = "64,136,255,609,300,450,\"hms\",\"IPAGothic\",9,#TRUE#,#FALSE#,#FALSE#,#FALSE#,255,1,2,,\r\n";
  const std::pair<const char*, std::string> cases[] = {
      {"28 values", kHands + "64,136,255,609,300,450,\"hms\",\"IPAGothic\",9,#TRUE#,#FALSE#,#FALSE#,#FALSE#,255,1,2,\r\n"},
      {"empty file", ""},
      {"text for a colour", "\"a\",\"b\",\"red\",120,3,65280,60,7,16711680,90,5," + good},
      {"colour out of range", "\"a\",\"b\",16777216,120,3,65280,60,7,16711680,90,5," + good},
      {"length over 180", "\"a\",\"b\",255,181,3,65280,60,7,16711680,90,5," + good},
      {"negative length", "\"a\",\"b\",255,120,3,65280,-5,7,16711680,90,5," + good},
      {"width 0", "\"a\",\"b\",255,120,3,65280,60,0,16711680,90,5," + good},
      {"width 51", "\"a\",\"b\",255,120,3,65280,60,7,16711680,90,51," + good},
      {"width absent", "\"a\",\"b\",255,120,,65280,60,7,16711680,90,5," + good},
      {"dot over 2700", kHands + "64,2701,,,,,,,,,,,,,,,,\r\n"},
      {"frame over 2700", kHands + "64,136,255,2700.6,,,,,,,,,,,,,,\r\n"},
      {"frame negative", kHands + "64,136,255,-1,,,,,,,,,,,,,,\r\n"},
      {"frame just below 0", kHands + "64,136,255,-0.25,,,,,,,,,,,,,,\r\n"},
      {"font size 0", kHands + "64,136,,,300,450,\"hm\",\"IPAGothic\",0,#TRUE#,#FALSE#,#FALSE#,#FALSE#,255,,,,\r\n"},
      {"no font name", kHands + "64,136,,,300,450,\"hm\",,9,#TRUE#,#FALSE#,#FALSE#,#FALSE#,255,,,,\r\n"},
      {"text for a boolean", kHands + "64,136,,,300,450,\"hm\",\"A\",9,\"yes\",#FALSE#,#FALSE#,#FALSE#,255,,,,\r\n"},
      // Positions a window could not reach on any screen (32767 px at 15 twips per pixel).
      {"read-out left too far", kHands + "64,136,,,491520,450,\"hm\",\"A\",9,#TRUE#,#FALSE#,#FALSE#,#FALSE#,255,,,,\r\n"},
      {"read-out top too far", kHands + "64,136,,,300,-491520,\"hm\",\"A\",9,#TRUE#,#FALSE#,#FALSE#,#FALSE#,255,,,,\r\n"},
      {"cuckoo A top too far", kHands + "64,136" + std::string(13, ',') + "1,99999999,,\r\n"},
      {"cuckoo B left too far", kHands + "64,136" + std::string(15, ',') + "-300000000,2\r\n"},
      {"path not text in the ANSI code page", "\"\xFF\xFE\",\"b\",255,120,3,65280,60,7,16711680,90,5," + good},
  };
  for (const auto& [name, line] : cases) {
    SCOPED_TRACE(name);
    f.logged.shown.clear();
    EXPECT_FALSE(Import(line));
    ASSERT_EQ(f.logged.shown.size(), 1u);
    EXPECT_EQ(f.logged.shown[0].text, L"読み込みに失敗しました。\riniファイルの場所を確認して下さい。");
    EXPECT_EQ(f.logged.shown[0].title, L"エラー発生");
    EXPECT_EQ(f.logged.shown[0].style, kMbOk);
    EXPECT_EQ(Snapshot(f.form), before);
  }

  // A missing file, then a good one straight after.
  f.logged.shown.clear();
  f.saves.answers.push_back((dir / "missing.ini").wstring());
  reini_Click(f.form, f.platform);
  EXPECT_EQ(f.logged.shown.size(), 1u);
  EXPECT_EQ(Snapshot(f.form), before);
  // Running out of memory is a failed import like any other.
  f.platform.outOfMemory = true;
  EXPECT_FALSE(Import(kHands + good));
  EXPECT_EQ(f.logged.shown.back().text, kImportFailed);
  EXPECT_EQ(Snapshot(f.form), before);
  f.platform.outOfMemory = false;
  EXPECT_TRUE(Import(kHands + good));
  EXPECT_EQ(f.form.HScroll1.value, 120);
}

// The clock reads relative paths from the folder of its tkt.ini; the designer takes them the same way.
TEST_F(ImportTest, RelativePathsHangFromTheFilesFolder) {
  ASSERT_TRUE(Import("\"face.rgp\",\"..\\pics\\face.bmp\",255,120,3,65280,60,7,16711680,90,5,64,136,,,,,,,,,,,,,,,,\r\n"));
  EXPECT_EQ(PathFromText(f.form.PS_Text1.text), dir / "face.rgp");
  EXPECT_EQ(PathFromText(f.form.PS_Text2.text), dir.parent_path() / "pics" / "face.bmp");
}

// Whatever the export writes, the import puts back.
TEST_F(ImportTest, ExportThenImportGivesBackEveryValue) {
  FilesFixture source(dir.wstring());
  fs::create_directories(dir / "program");
  DesignerForm& s = source.form;
  source.ChooseTemplate(3);  // meca: the frame with its own colour
  source.GoToPage(kSettings);
  s.digicheck.Click();       // "hms" by switching on
  s.MoveReadout(30, -40);
  s.digitxt.font = {L"ＭＳ ゴシック", 10.5, false, true, false, true};
  s.digitxt.foreColor = 12345;
  s.hatoCheck2.Click();
  s.MoveCuckoo(-20, 10);
  s.HScroll1.SetValue(0);
  s.HScroll6.SetValue(50);
  source.logged.answers = {kIdOk, kIdNo};
  iniout_Click(s, source.platform);
  ASSERT_EQ(source.logged.shown.size(), 2u);

  f.form.Option2.Click();  // the import fills the own-picture fields
  f.saves.answers.push_back(dir.wstring() + L"/program/tkt.ini");
  reini_Click(f.form, f.platform);
  EXPECT_TRUE(f.logged.shown.empty());

  GatheredSettings want = GatherSettings(s, source.platform), got = GatherSettings(f.form, f.platform);
  ASSERT_TRUE(want.settings && got.settings);
  EXPECT_EQ(faceformat::FormatSettings(*got.settings), faceformat::FormatSettings(*want.settings));
  EXPECT_EQ(f.form.circleCheck.foreColor, RgbColor(255, 0, 0));
  EXPECT_TRUE(f.form.digistyle2.value);
  EXPECT_EQ(f.form.digitxt.font, s.digitxt.font);
  EXPECT_FALSE(f.form.Line1.visible);
}

}  // namespace
}  // namespace designer
