// The 64-bit setup program under Wine: silent installs for one user and for everybody, the clock started the
// way its Start-menu shortcut starts it, an update that keeps the designer's face, a quiet and an interactive
// uninstall that leave nothing of theirs behind, a folder the ANSI code page cannot hold.
#include <gtest/gtest.h>

#include "faceformat/settings.h"
#include "tkt_version.h"
#include "release_test_support.h"

namespace {

using namespace release_test;
using namespace std::chrono_literals;

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tocktide";
const wchar_t kPositionKey[] = L"Software\\VB and VBA Program Settings\\Clock";
const wchar_t kClockLink[] = L"ﾄｯｸﾀｲﾄﾞ 時計.lnk";
const wchar_t kDesignerLink[] = L"ﾄｯｸﾀｲﾄﾞ 文字盤ﾂｰﾙ.lnk";
const wchar_t kDesktopLink[] = L"ﾄｯｸﾀｲﾄﾞ.lnk";

// Ends the program of a window that a failed test leaves open (the uninstaller runs from a copy of itself).
class EndsWithTest {
 public:
  explicit EndsWithTest(HWND w) : w_(w) {}
  EndsWithTest(const EndsWithTest&) = delete;
  EndsWithTest& operator=(const EndsWithTest&) = delete;
  ~EndsWithTest() {
    if (!IsWindow(w_)) return;
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, ProcessOf(w_))) {
      TerminateProcess(p, 1);
      CloseHandle(p);
    }
  }

 private:
  HWND w_;
};

class SetupTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  static std::wstring SetupProgram() { return FromBuild(TKT_SETUP_EXE); }
  static fs::path Shipped() { return FromBuild(TKT_SHIP_TREE); }
  static fs::path Temp(const wchar_t* name) { return fs::temp_directory_path() / name / L"Tocktide"; }

  // Runs the setup program with these arguments to its end; its exit code (none when it hangs).
  static std::optional<DWORD> RunSetup(const std::wstring& args) {
    Process setup(Quoted(SetupProgram()) + L" " + args, L"");
    if (!setup.started()) return std::nullopt;
    return setup.Wait(120s);
  }

  // What Apps & features runs for a quiet removal; done once the entry and the uninstaller are gone.
  static void QuietUninstall(HKEY hive, const fs::path& root) {
    const auto command = RegText(hive, kUninstallKey, L"QuietUninstallString");
    ASSERT_TRUE(command);
    Process un(*command, L"");
    ASSERT_TRUE(un.started());
    EXPECT_TRUE(WaitUntil([&] { return !RegKeyExists(hive, kUninstallKey) && !fs::exists(root / L"uninstall.exe"); },
                          60s));
  }

  static void ForgetInstall(HKEY hive, const fs::path& root) {
    std::error_code ec;
    fs::remove_all(root, ec);
    RegDeleteTreeW(hive, kUninstallKey);
  }

  // The default face for `root`, as the settings writer makes it.
  static std::string DefaultFace(const fs::path& root) {
    return faceformat::FormatSettings(faceformat::KaichuTemplate(ToAnsi(root.wstring())));
  }

  // The shipped files laid out under `root`, byte for byte; tkt.ini is checked on its own.
  static void ExpectShippedFiles(const fs::path& root, bool withPaintChip) {
    std::set<std::wstring> expected = FilesUnder(Shipped());
    if (!withPaintChip) expected.erase(L"PAINTCHIP.OCX");
    expected.insert(L"uninstall.exe");
    EXPECT_EQ(FilesUnder(root), expected);
    for (const auto& f : expected) {
      if (f == L"uninstall.exe" || f == L"program\\tkt.ini") continue;
      EXPECT_TRUE(ReadBytes(root / f) == ReadBytes(Shipped() / f)) << fs::path(f).string();
    }
  }

  static void ExpectClockShortcut(const fs::path& lnk, const fs::path& root) {
    const auto link = ReadShortcut(lnk);
    ASSERT_TRUE(link) << lnk.string();
    EXPECT_EQ(link->target, (root / L"program\\tkt.exe").wstring());
    EXPECT_EQ(link->folder, (root / L"program").wstring());
  }
};

TEST_F(SetupTest, ForOneUserLaysOutTheTreeStartsTheClockAndUninstallsCleanly) {
  const fs::path root = Temp(L"tkt setup テスト");
  ForgetInstall(HKEY_CURRENT_USER, root.parent_path());
  const fs::path menu = ShellFolder(CSIDL_PROGRAMS) / L"Tocktide";
  const fs::path startup = ShellFolder(CSIDL_STARTUP) / kDesktopLink;

  ASSERT_EQ(RunSetup(L"/S /CURRENTUSER /DESKTOP=no /AUTOSTART=yes /D=" + root.wstring()), 0u);

  ExpectShippedFiles(root, false);
  // Full paths of this folder in the ANSI code page (932 here), exactly as the designer would write them.
  EXPECT_EQ(ReadBytes(root / L"program\\tkt.ini"), DefaultFace(root));
  ExpectClockShortcut(menu / kClockLink, root);
  ExpectClockShortcut(startup, root);
  const auto designer = ReadShortcut(menu / kDesignerLink);
  ASSERT_TRUE(designer);
  EXPECT_EQ(designer->target, (root / L"tkttool.exe").wstring());

  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation"), root.wstring());

  // The clock as the Start menu starts it shows the default face, cut to the kaichu outline.
  const auto link = ReadShortcut(menu / kClockLink);
  ASSERT_TRUE(link);
  Process clock(Quoted(link->target), link->folder);
  ASSERT_TRUE(clock.started());
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindProcessWindow(clock.id(), L"TocktideClock")) != nullptr; }, 20s));
  EXPECT_TRUE(WaitUntil([&] { return WindowRegionIs(window, root / L"sample\\kaichu.rgp"); }, 5s));

  // A stored position is the user's; a quiet removal keeps it. The running clock is closed, not left
  // holding its program file.
  RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kPositionKey) + L"\\WindowPos").c_str(), L"Left", REG_SZ,
                  L"1200", 10);
  // A further clock the designer put in Startup goes with the program; another program's shortcut stays.
  const fs::path further = ShellFolder(CSIDL_STARTUP) / L"london.lnk";
  const fs::path others = ShellFolder(CSIDL_STARTUP) / L"other clock.lnk";
  WriteShortcut(further, (root / L"program\\tkt.exe").wstring(), (root / L"program").wstring());
  WriteShortcut(others, L"C:\\elsewhere\\program\\tkt.exe", L"C:\\elsewhere\\program");
  QuietUninstall(HKEY_CURRENT_USER, root);
  EXPECT_TRUE(clock.Wait(10s).has_value());
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(root.parent_path() / L"Tocktide"); }, 10s));
  EXPECT_FALSE(fs::exists(menu));
  EXPECT_FALSE(fs::exists(startup));
  EXPECT_FALSE(fs::exists(further));
  EXPECT_TRUE(fs::exists(others));
  fs::remove(further);
  fs::remove(others);
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kPositionKey));
  RegDeleteTreeW(HKEY_CURRENT_USER, kPositionKey);
  RegDeleteKeyW(HKEY_CURRENT_USER, kPositionKey);
  fs::remove_all(root.parent_path());
}

TEST_F(SetupTest, ForEverybodyRegistersPaintChipKeepsTheDesignersFaceAndOthersShortcuts) {
  const fs::path root = ShellFolder(CSIDL_PROGRAM_FILES) / L"Tocktide";
  ForgetInstall(HKEY_LOCAL_MACHINE, root);
  const fs::path desktopLink = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) / kDesktopLink;
  const fs::path menu = ShellFolder(CSIDL_COMMON_PROGRAMS) / L"Tocktide";

  ASSERT_EQ(RunSetup(L"/S /ALLUSERS /PAINTCHIP=yes"), 0u);
  EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"), root.wstring());
  ExpectShippedFiles(root, true);
  EXPECT_EQ(ReadBytes(root / L"program\\tkt.ini"), DefaultFace(root));
  ExpectClockShortcut(menu / kClockLink, root);
  ExpectClockShortcut(desktopLink, root);
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"PAINTCHIP.PaintChipCtrl.1", &clsid), S_OK);
  wchar_t guid[64] = {};
  StringFromGUID2(clsid, guid, 64);
  const std::wstring server = std::wstring(L"CLSID\\") + guid + L"\\InprocServer32";
  const auto module = RegText(HKEY_CLASSES_ROOT, server, nullptr);
  ASSERT_TRUE(module);
  EXPECT_EQ(_wcsicmp(module->c_str(), (root / L"PAINTCHIP.OCX").c_str()), 0) << fs::path(*module).string();

  // The designer has written a face of its own; an update keeps it.
  auto face = faceformat::KaichuTemplate(ToAnsi(root.wstring()));
  face.secondColor = 255;
  const std::string designed = faceformat::FormatSettings(face);
  { std::ofstream(root / L"program\\tkt.ini", std::ios::binary) << designed; }
  ASSERT_EQ(RunSetup(L"/S /ALLUSERS"), 0u);
  EXPECT_EQ(ReadBytes(root / L"program\\tkt.ini"), designed);

  // A desktop shortcut of the same name that starts another copy is not ours to remove.
  WriteShortcut(desktopLink, L"C:\\elsewhere\\program\\tkt.exe", L"C:\\elsewhere\\program");
  // Removed the way Apps & features does it, in Japanese, and asked to drop the stored position too.
  RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kPositionKey) + L"\\WindowPos").c_str(), L"Top", REG_SZ,
                  L"900", 8);
  const auto command = RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString");
  ASSERT_TRUE(command);
  Process un(*command, L"");
  HWND pages = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (pages = FindTopWindow([](HWND w) { return WindowText(w).starts_with(L"Tocktide " TKT_VERSION_WTEXT L" アンインストール"); })) !=
           nullptr;
  }, 20s));
  const EndsWithTest uninstaller(pages);
  PostMessageW(GetDlgItem(pages, IDOK), BM_CLICK, 0, 0);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (question = FindTopWindow([&](HWND w) {
              return w != pages && ProcessOf(w) == ProcessOf(pages) && ClassOf(w) == L"#32770";
            })) != nullptr;
  }, 20s));
  EXPECT_NE(DialogText(question).find(L"記録した時計の位置"), std::wstring::npos);
  PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) && !IsWindow(pages); }, 30s));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kPositionKey));
  EXPECT_EQ(FilesUnder(root), std::set<std::wstring>{L"program\\tkt.ini"});
  EXPECT_NE(CLSIDFromProgID(L"PAINTCHIP.PaintChipCtrl.1", &clsid), S_OK);
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, server));
  EXPECT_FALSE(fs::exists(menu));
  EXPECT_TRUE(fs::exists(desktopLink));
  fs::remove(desktopLink);
  fs::remove_all(root);
}

TEST_F(SetupTest, RefusesAFolderTheAnsiCodePageCannotHold) {
  const fs::path root = Temp(L"tkt 한글");
  ForgetInstall(HKEY_CURRENT_USER, root.parent_path());
  EXPECT_EQ(RunSetup(L"/S /D=" + root.wstring()), 2u);
  EXPECT_FALSE(fs::exists(root));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kUninstallKey));
}

}  // namespace
