// The export (iniout): its checks and messages, the 29 fields from the controls, the write and its failures,
// and the shortcut offer.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "designer/model/export.h"
#include "faceformat/files.h"
#include "files_fakes.h"

namespace designer {
namespace {

namespace fs = std::filesystem;
using testing::FilesFixture;
constexpr int kSettings = 1;

std::string Line(FilesFixture& f) {
  GatheredSettings g = GatherSettings(f.form, f.platform);
  EXPECT_EQ(g.message, nullptr);
  return g.settings ? faceformat::FormatSettings(*g.settings) : std::string("<none>");
}

void EnterTemplate(FilesFixture& f, int index) {
  f.ChooseTemplate(index);
  f.GoToPage(kSettings);
}

TEST(ExportChecks, StopInOrderWithTheirMessage) {
  struct Case {
    const char* name;
    void (*setUp)(DesignerForm&);
    const wchar_t* message;
  } cases[] = {
      {"no mode", [](DesignerForm&) {}, kExportNoMode},
      {"template mode without a template", [](DesignerForm& d) { d.Option1.Click(); }, kExportNoTemplate},
      {"own picture, both fields empty", [](DesignerForm& d) { d.Option2.Click(); }, kExportNoRegion},
      {"own picture, only the picture",
       [](DesignerForm& d) {
         d.Option2.Click();
         d.PS_Text2.text = L"C:\\face.bmp";
       },
       kExportNoRegion},
      {"own picture, only the region",
       [](DesignerForm& d) {
         d.Option2.Click();
         d.PS_Text1.text = L"C:\\face.rgp";
       },
       kExportNoPicture},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FilesFixture f;
    c.setUp(f.form);
    iniout_Click(f.form, f.platform);
    ASSERT_EQ(f.logged.shown.size(), 1u);
    EXPECT_EQ(f.logged.shown[0].text, c.message);
    EXPECT_TRUE(f.platform.links.empty());
  }
}

TEST(ExportFields, TemplatesGiveTheSampleLines) {
  const char* want[] = {
      "\"C:\\CLOCK\\sample\\kaichu.rgp\",\"C:\\CLOCK\\sample\\kaichu.bmp\",7303023,70,1,15724527,40,4,14671839,65,2,"
      "64,136,,,,,,,,,,,,,,,,\r\n",
      "\"C:\\CLOCK\\sample\\army.rgp\",\"C:\\CLOCK\\sample\\army.bmp\",12566463,75,1,12228472,40,4,11909257,70,2,"
      "12632256,136,,,,,,,,,,,,,,,,\r\n",
      "\"C:\\CLOCK\\sample\\hato.rgp\",\"C:\\CLOCK\\sample\\hato.bmp\",16777215,35,1,9288892,15,3,13296096,30,2,128,"
      "100,,,1130,690,\"hm\",\"Times New Roman\",9.75,#TRUE#,#FALSE#,#FALSE#,#FALSE#,65535,,,,\r\n",
      "\"C:\\CLOCK\\sample\\meca.rgp\",\"C:\\CLOCK\\sample\\meca.bmp\",16777215,100,2,65535,75,13,16711680,100,9,"
      "32896,190,255,609,,,,,,,,,,,,,,\r\n",
  };
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    FilesFixture f;
    EnterTemplate(f, i);
    // A file dialog may have moved the current folder since start-up; the samples stay under the root.
    f.folders.current = L"D:\\somewhere\\else";
    f.form.PS_Text1.text = L"C:\\mine.rgp";
    f.form.PS_Text2.text = L"C:\\mine.bmp";
    EXPECT_EQ(Line(f), want[i]);
  }
}

TEST(ExportFields, OwnPictureTakesBothFieldsAsTheyAre) {
  FilesFixture f;
  f.form.Option2.Click();
  f.form.PS_Text1.text = L"C:\\時計\\my face.rgp";
  f.form.PS_Text2.text = L"C:\\時計\\my face.bmp";
  auto g = GatherSettings(f.form, f.platform);
  ASSERT_TRUE(g.settings);
  EXPECT_EQ(*g.settings->regionFilePath, *f.platform.ToAnsi(L"C:\\時計\\my face.rgp"));
  EXPECT_EQ(*g.settings->faceBitmapPath, *f.platform.ToAnsi(L"C:\\時計\\my face.bmp"));
  EXPECT_FALSE(g.settings->HasFrame() || g.settings->HasDigital() || g.settings->HasCuckoo1() ||
               g.settings->HasCuckoo2());
}

TEST(ExportFields, EachGroupOnlyWhenItsSwitchIsOn) {
  FilesFixture f;
  EnterTemplate(f, 0);
  DesignerForm& d = f.form;
  const std::string head =
      "\"C:\\CLOCK\\sample\\kaichu.rgp\",\"C:\\CLOCK\\sample\\kaichu.bmp\",7303023,70,1,15724527,40,4,14671839,65,2,"
      "64,136,";

  d.circleCheck.Click();
  d.HScroll8.SetValue(1612);
  EXPECT_EQ(Line(f), head + "32896,1612,,,,,,,,,,,,,,\r\n");  // olive: the design-time frame colour
  d.circleCheck.Click();

  // Read-out on, then neither style: the group is written without its style.
  d.digicheck.Click();
  d.digistyle2.SetValue(false);
  d.MoveReadout(-10, 5);
  d.digitxt.font = {L"IPAGothic", 12.5, false, true, true, true};
  d.digitxt.foreColor = 255;
  EXPECT_EQ(Line(f), head + ",,1940,2465,,\"IPAGothic\",12.5,#FALSE#,#TRUE#,#TRUE#,#TRUE#,255,,,,\r\n");
  d.digistyle2.SetValue(true);
  EXPECT_EQ(Line(f), head + ",,1940,2465,\"hms\",\"IPAGothic\",12.5,#FALSE#,#TRUE#,#TRUE#,#TRUE#,255,,,,\r\n");
  d.digicheck.Click();

  d.hatoCheck1.Click();
  d.MoveCuckoo(-10, 20);
  EXPECT_EQ(Line(f), head + ",,,,,,,,,,,,1130,980,,\r\n");
  // Both kinds at once cannot come from the check boxes, but the file allows it.
  d.hatoCheck2.value = 1;
  d.Image4.Move(1500.5, 400);
  EXPECT_EQ(Line(f), head + ",,,,,,,,,,,,1130,980,1500.5,400\r\n");
}

TEST(ExportFields, TextWithoutAnAnsiFormIsRefusedBeforeWriting) {
  FilesFixture f;
  f.form.Option2.Click();
  f.form.PS_Text1.text = std::wstring(L"C:\\") + wchar_t(0x1F570) + L".rgp";
  f.form.PS_Text2.text = L"C:\\a.bmp";
  iniout_Click(f.form, f.platform);
  ASSERT_EQ(f.logged.shown.size(), 1u);
  EXPECT_EQ(f.logged.shown[0].text, kExportNotAnsi);
}

// The clock and the import take a relative path from the folder of tkt.ini, root\program.
TEST(ExportFields, RelativePathsAreWrittenAsTheClockWouldFindThem) {
  FilesFixture f;
  f.form.Option2.Click();
  f.form.PS_Text1.text = L"..\\sample\\k.rgp";
  f.form.PS_Text2.text = L"faces\\mine.bmp";
  const std::string paths = "\"C:\\CLOCK\\sample\\k.rgp\",\"C:\\CLOCK\\program\\faces\\mine.bmp\",";
  EXPECT_EQ(Line(f).substr(0, paths.size()), paths);
}

class ExportWrite : public ::testing::Test {
 protected:
  static fs::path MakeRoot() {
    fs::path root = fs::temp_directory_path() / ("export_test_" + std::to_string(std::random_device{}()));
    fs::create_directories(root / "program");
    return root;
  }
  void TearDown() override {
    faceformat::SetAtomicWriteFaultForTesting(nullptr);
    fs::remove_all(root);
  }
  std::string Ini() {
    auto r = faceformat::ReadWholeFile(root / "program" / "tkt.ini");
    return r ? *r : std::string("<missing>");
  }
  fs::path root = MakeRoot();
  FilesFixture f{root.wstring()};
};

TEST_F(ExportWrite, WritesTheFileConfirmsAndOffersTheShortcut) {
  EnterTemplate(f, 2);
  f.platform.desktop.reset();
  iniout_Click(f.form, f.platform);
  EXPECT_EQ(Ini(), Line(f));
  ASSERT_EQ(f.logged.shown.size(), 1u);  // no desktop: no question
  EXPECT_EQ(f.logged.shown[0].text, L"Tocktide設定ファイルを\r" + f.form.settingsPath +
                                        L"　として作成しました。\r\r同じフォルダ内にある tkt.exe を実行すれば時計を表示できます。");

  // With a desktop the question follows; No makes nothing.
  f.platform.desktop = L"C:\\Users\\hana\\Desktop";
  f.logged.shown.clear();
  f.logged.answers = {kIdOk, kIdNo};
  iniout_Click(f.form, f.platform);
  ASSERT_EQ(f.logged.shown.size(), 2u);
  EXPECT_EQ(f.logged.shown[1].text, L"ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成しますか？");
  EXPECT_EQ(f.logged.shown[1].style, 308u);  // Yes/No, exclamation, No as default
  EXPECT_TRUE(f.platform.links.empty());

  f.logged.answers = {kIdOk, kIdYes};
  iniout_Click(f.form, f.platform);
  ASSERT_EQ(f.platform.links.size(), 1u);
  EXPECT_EQ(f.platform.links[0].link, L"C:\\Users\\hana\\Desktop\\ﾄｯｸﾀｲﾄﾞ.lnk");
  EXPECT_EQ(f.platform.links[0].target, root.wstring() + L"\\program\\tkt.exe");
  EXPECT_EQ(f.platform.links[0].folder, root.wstring() + L"\\program");
}

TEST_F(ExportWrite, AFailedShortcutReportsAfterTheFileIsWritten) {
  EnterTemplate(f, 0);
  f.platform.shortcutResult = int32_t(0x80070005u);  // access denied
  f.logged.answers = {kIdOk, kIdYes};
  iniout_Click(f.form, f.platform);
  EXPECT_EQ(Ini(), Line(f));
  ASSERT_EQ(f.logged.shown.size(), 4u);
  EXPECT_EQ(f.logged.shown[2].text, kWriteFailed);
  EXPECT_EQ(f.logged.shown[3].text, L"ｴﾗｰ番号 70tkt でｴﾗｰが発生しました。\r書き込みできません。");
}

TEST_F(ExportWrite, MissingProgramFolderShowsBothFailureMessagesAndNoSuccess) {
  fs::remove_all(root / "program");
  EnterTemplate(f, 1);
  iniout_Click(f.form, f.platform);
  std::vector<std::wstring> want = {L"書き込みに失敗しました。再起動して下さい。",
                                    L"ｴﾗｰ番号 76tkt でｴﾗｰが発生しました。\rパスが見つかりません。"};
  EXPECT_EQ(f.logged.Texts(), want);
  EXPECT_FALSE(fs::exists(root / "program"));
  // The designer is usable: the next export, with the folder back, works.
  fs::create_directories(root / "program");
  f.logged.shown.clear();
  f.logged.answers = {kIdOk, kIdNo};
  iniout_Click(f.form, f.platform);
  EXPECT_EQ(Ini(), Line(f));
}

TEST_F(ExportWrite, AFailureDuringWritingLeavesTheOldFile) {
  EnterTemplate(f, 3);
  ASSERT_TRUE(faceformat::WriteFileAtomic(root / "program" / "tkt.ini", "old face\r\n").ok());
  for (const char* step : {"create", "write", "flush", "replace"}) {
    SCOPED_TRACE(step);
    faceformat::SetAtomicWriteFaultForTesting([step](std::string_view s) { return s != step; });
    f.logged.shown.clear();
    iniout_Click(f.form, f.platform);
    ASSERT_EQ(f.logged.shown.size(), 2u);
    EXPECT_EQ(f.logged.shown[0].text, kWriteFailed);
    EXPECT_EQ(Ini(), "old face\r\n");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(root / "program"), fs::directory_iterator()), 1);
}

TEST(ExportErrors, RunningOutOfMemoryGivesTheWriteFailureMessages) {
  FilesFixture f;
  f.ChooseTemplate(0);
  f.platform.outOfMemory = true;
  iniout_Click(f.form, f.platform);
  EXPECT_EQ(f.logged.Texts(), (std::vector<std::wstring>{
                                  kWriteFailed, L"ｴﾗｰ番号 7tkt でｴﾗｰが発生しました。\rメモリが不足しています。"}));
}

TEST(ExportErrors, NumbersAndTextsForThePlatformsCodes) {
  EXPECT_EQ(ErrorNumberText(ExportErrorFromCode(3)), L"ｴﾗｰ番号 76tkt でｴﾗｰが発生しました。\rパスが見つかりません。");
  const struct {
    uint32_t code;
    int number;
  } cases[] = {
      {32, 70},           // locked by another program
      {0x80070005u, 70},  // an HRESULT of access denied
      {1175, 70}, {1176, 70}, {1177, 70},  // the replace step meets a target held open or read-only
      {112, 61},
      {0x80004005u, 57}, {9999, 57},  // unknown: the generic I/O error, not "path not valid"
  };
  for (const auto& c : cases) EXPECT_EQ(ExportErrorFromCode(long(int32_t(c.code))).number, c.number) << c.code;
  const fs::path here = fs::temp_directory_path() / "x.ini";
  EXPECT_EQ(ExportErrorFromWrite({"cannot replace the file", -1, 32}, here).number, 70);
  EXPECT_EQ(ExportErrorFromWrite({"cannot replace the file", -1, 1176}, here).number, 70);
  EXPECT_EQ(ExportErrorFromWrite({"whatever"}, fs::temp_directory_path() / "no_such_dir_xyz" / "x.ini").number, 76);
}

}  // namespace
}  // namespace designer
