// The options page: its controls, the options file written and read beside a settings file, another clock under
// a name of the user's, and a clock's Startup shortcut.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "designer/model/another_clock.h"
#include "designer/model/clock_options_page.h"
#include "designer/model/export.h"
#include "designer/model/file_commands.h"
#include "designer/model/import.h"
#include "faceformat/files.h"
#include "files_fakes.h"

namespace designer {
namespace {

namespace fs = std::filesystem;
constexpr int kOptions = 4;

TEST(OptionsPage, ZoneListQuietHoursAndOpacityFollowTheControls) {
  testing::FormFixture f;
  DesignerForm& d = f.form;
  f.GoToPage(kOptions);
  EXPECT_TRUE(d.Frame5.visible && !d.Frame1.visible);
  ASSERT_EQ(d.zoneList.items.size(), 3u);
  EXPECT_EQ(d.zoneList.items[2], L"(UTC+09:00) Tokyo");
  EXPECT_EQ(d.SelectedZone(), L"");  // the PC's own zone first
  d.zoneList.SetListIndex(2);
  EXPECT_EQ(d.SelectedZone(), L"Tokyo Standard Time");
  d.SelectZone(L"Nowhere Standard Time");  // a file's zone the system lacks stays
  EXPECT_EQ(d.zoneList.items.size(), 4u);
  EXPECT_EQ(d.SelectedZone(), L"Nowhere Standard Time");

  EXPECT_FALSE(d.quietFrom.enabled || d.quietTo.enabled);
  d.quietCheck.Click();
  EXPECT_TRUE(d.quietFrom.enabled && d.quietTo.enabled);
  d.opacityScroll.ScrollBy(-100);
  EXPECT_EQ(d.opacityScroll.value, 30);
  EXPECT_EQ(d.opacityValue.caption, L"30%");
}

TEST(OptionsPage, ClockNamesThatCannotNameAFileAreRefused) {
  const struct {
    std::wstring name;
    const wchar_t* problem;
  } cases[] = {
      {L"london", nullptr}, {L"ロンドン 2", nullptr}, {L"con2", nullptr}, {L"tkt2", nullptr}, {L".hidden", nullptr},
      {L"", kNameEmpty}, {L"a/b", kNameBadCharacter}, {L"a\\b", kNameBadCharacter}, {L"a:b", kNameBadCharacter},
      {L"a*?", kNameBadCharacter}, {L"\"<a>\"", kNameBadCharacter}, {L"a|b", kNameBadCharacter},
      {L"a\tb", kNameBadCharacter}, {L"london.", kNameBadEnd}, {L"london ", kNameBadEnd}, {L"CON", kNameReserved},
      {L"nul", kNameReserved}, {L"Aux.x", kNameReserved}, {L"prn", kNameReserved}, {L"COM1", kNameReserved},
      {L"lpt9", kNameReserved}, {L"TKT", kNameReserved}, {L"london-options", kNameReserved},
      {std::wstring(kMaxClockName, L'a'), nullptr}, {std::wstring(kMaxClockName + 1, L'a'), kNameTooLong},
  };
  for (const auto& c : cases) EXPECT_EQ(ClockNameProblem(c.name), c.problem) << ::testing::PrintToString(c.name);
}

// A root with a program folder, a form in template mode and the file commands bound.
class OptionsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root / "program");
    BindFileCommands(f.form, f.platform, [] {});
    f.ChooseTemplate(0);
    f.GoToPage(kOptions);
  }
  void TearDown() override { fs::remove_all(root); }
  std::string Read(const char* name) {
    auto r = faceformat::ReadWholeFile(root / "program" / name);
    return r ? *r : std::string("<missing>");
  }
  void SetOptions() {
    DesignerForm& d = f.form;
    d.zoneList.SetListIndex(2);
    d.clockName.SetText(L"Tokyo");
    d.chimeHour.Click();
    d.quietCheck.Click();
    d.quietFrom.SetText(L"23:30");
    d.quietTo.SetText(L"6:00");
    d.opacityScroll.SetValue(70);
    d.fadeCheck.Click();
  }
  static constexpr const char* kOptionsText =
      "[Clock]\r\nTimeZone=Tokyo Standard Time\r\nName=Tokyo\r\nChime=Hour\r\nQuietFrom=23:30\r\nQuietTo=06:00\r\n"
      "Opacity=70\r\nFadeOnHover=1\r\n";

  fs::path root = fs::temp_directory_path() / ("options_test_" + std::to_string(std::random_device{}()));
  testing::FilesFixture f{root.wstring()};
};

TEST_F(OptionsFiles, TheExportWritesTheOptionsBesideTheSettingsAndRemovesThemWhenAllAreDefaults) {
  f.logged.answers = {kIdOk, kIdNo};
  iniout_Click(f.form, f.platform);
  const std::string face = Read("tkt.ini");
  EXPECT_EQ(Read("tkt-options.ini"), "<missing>");

  SetOptions();
  f.logged.answers = {kIdOk, kIdNo};
  iniout_Click(f.form, f.platform);
  EXPECT_EQ(Read("tkt.ini"), face);  // the settings file does not change for the options
  EXPECT_EQ(Read("tkt-options.ini"), kOptionsText);

  f.form.quietTo.SetText(L"6 o'clock");
  f.logged.shown.clear();
  iniout_Click(f.form, f.platform);
  EXPECT_EQ(f.logged.Texts(), std::vector<std::wstring>{kBadQuietHours});
  EXPECT_EQ(Read("tkt-options.ini"), kOptionsText);

  testing::FilesFixture fresh{root.wstring()};  // every option at its default again
  fresh.ChooseTemplate(0);
  fresh.logged.answers = {kIdOk, kIdNo};
  iniout_Click(fresh.form, fresh.platform);
  EXPECT_EQ(Read("tkt-options.ini"), "<missing>");
}

TEST_F(OptionsFiles, TheImportReadsTheOptionsBackOrTheDefaultsWithoutAFile) {
  SetOptions();
  f.logged.answers = {kIdOk, kIdNo};
  iniout_Click(f.form, f.platform);

  testing::FilesFixture other{root.wstring()};
  other.form.fpath.text = (root / "program" / "tkt.ini").wstring();
  ASSERT_TRUE(ImportSettings(other.form, other.platform));
  const GatheredOptions read = GatherOptions(other.form);
  ASSERT_TRUE(read.options);
  EXPECT_EQ(faceformat::FormatClockOptions(*read.options), kOptionsText);
  EXPECT_TRUE(other.form.quietFrom.enabled);
  EXPECT_EQ(other.form.opacityValue.caption, L"70%");

  fs::remove(root / "program" / "tkt-options.ini");
  ASSERT_TRUE(ImportSettings(other.form, other.platform));
  EXPECT_TRUE(GatherOptions(other.form).options->IsDefault());
}

TEST_F(OptionsFiles, AnotherClockIsWrittenUnderItsNameNeverOverAnotherSilently) {
  DesignerForm& d = f.form;
  d.anotherName.SetText(L"tkt");
  d.another.Click();
  EXPECT_EQ(f.logged.Texts(), std::vector<std::wstring>{kNameReserved});

  SetOptions();
  d.anotherName.SetText(L"london");
  f.logged.shown.clear();
  f.logged.answers = {kIdOk, kIdYes};
  d.another.Click();
  EXPECT_EQ(f.logged.shown[0].text, AnotherDoneText(root.wstring() + L"\\program\\london.ini"));
  EXPECT_EQ(Read("london-options.ini"), kOptionsText);
  EXPECT_NE(Read("london.ini").find("kaichu.bmp"), std::string::npos);
  EXPECT_EQ(Read("tkt.ini"), "<missing>");
  ASSERT_EQ(f.platform.links.size(), 1u);
  EXPECT_EQ(f.platform.links[0].link, L"C:\\Users\\hana\\Desktop\\london.lnk");
  EXPECT_EQ(f.platform.links[0].arguments, L"\"london.ini\"");

  // There now: the question, No as its default; No keeps the old files.
  d.opacityScroll.SetValue(40);
  f.logged.shown.clear();
  f.logged.answers = {kIdNo};
  d.another.Click();
  ASSERT_EQ(f.logged.shown.size(), 1u);
  EXPECT_EQ(f.logged.shown[0].text, AnotherExistsQuestion(L"london"));
  EXPECT_EQ(f.logged.shown[0].style, 308u);
  EXPECT_EQ(Read("london-options.ini"), kOptionsText);
  f.logged.answers = {kIdYes, kIdOk, kIdNo};
  d.another.Click();
  EXPECT_NE(Read("london-options.ini").find("Opacity=40"), std::string::npos);
}

TEST_F(OptionsFiles, StartWithWindowsPutsTheNamedClocksShortcutInTheStartupFolderAndTakesItOut) {
  DesignerForm& d = f.form;
  d.startupCheck.Click();  // no name: the default clock, under the installer's name
  ASSERT_EQ(f.platform.links.size(), 1u);
  EXPECT_EQ(f.platform.links[0].link, L"C:\\Users\\hana\\Startup\\ﾄｯｸﾀｲﾄﾞ.lnk");
  EXPECT_EQ(f.platform.links[0].target, root.wstring() + L"\\program\\tkt.exe");
  EXPECT_EQ(f.platform.links[0].arguments, L"");

  d.anotherName.SetText(L"london");  // not made yet: refused, the check stays clear
  EXPECT_EQ(d.startupCheck.value, 0);
  d.startupCheck.Click();
  EXPECT_EQ(f.logged.Texts(), std::vector<std::wstring>{kNoSuchClock});
  EXPECT_EQ(d.startupCheck.value, 0);

  ASSERT_TRUE(faceformat::WriteFileAtomic(root / "program" / "london.ini", "x").ok());
  d.startupCheck.Click();
  ASSERT_EQ(f.platform.links.size(), 2u);
  EXPECT_EQ(f.platform.links[1].link, L"C:\\Users\\hana\\Startup\\london.lnk");
  EXPECT_EQ(f.platform.links[1].arguments, L"\"london.ini\"");
  d.startupCheck.Click();
  EXPECT_FALSE(f.platform.files.count(L"C:\\Users\\hana\\Startup\\london.lnk"));

  // The check shows the state of the clock named, as the page opens.
  d.anotherName.SetText(L"");
  EXPECT_EQ(d.startupCheck.value, 1);
  f.platform.files.clear();
  f.GoToPage(0);
  f.GoToPage(kOptions);
  EXPECT_EQ(d.startupCheck.value, 0);
}

}  // namespace
}  // namespace designer
