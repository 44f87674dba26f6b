// The menu form's window: its popup, its load, and the commands that leave the process running.
#include <gtest/gtest.h>

#include <filesystem>

#include "form2.h"
#include "menu_texts.h"
#include "menu_win_fakes.h"

namespace tkt {
namespace {

using testing::ScriptedBoxes;

std::wstring MenuText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

// Runs the test in a folder of its own, with nothing beside or above it that the commands look for.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    previous_ = previous;
    path_ = std::filesystem::temp_directory_path() / L"tkt-menu-test" / L"program";
    std::filesystem::create_directories(path_);
    SetCurrentDirectoryW(path_.c_str());
  }
  ~ScratchDirectory() { SetCurrentDirectoryW(previous_.c_str()); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::wstring previous_;
  std::filesystem::path path_;
};

class MenuFormWindow : public ::testing::Test {
 protected:
  void Load() {
    MenuFormOptions options;
    options.boxes = &boxes;
    options.setClock = [](const UtcDateTime&) { return ClockSetResult::kFailed; };
    options.server = {"127.0.0.1", 9, 0};
    boxes.SetClock(clock.ClockWindow());
    form2 = Form2::Create(clock, std::move(options));
    ASSERT_NE(form2, nullptr);
    window = form2->Window();
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }

  testing::FakeClock clock;
  ScriptedBoxes boxes;
  Form2* form2 = nullptr;
  HWND window = nullptr;
};

TEST_F(MenuFormWindow, HiddenFormWithTheSevenItemsOfMnuFile) {
  Load();
  EXPECT_FALSE(IsWindowVisible(window));
  wchar_t caption[32] = {};
  GetWindowTextW(window, caption, 32);
  EXPECT_STREQ(caption, L"menu");
  HMENU bar = GetMenu(window);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(MenuText(bar, 0), L"メイン");
  EXPECT_EQ(GetSubMenu(bar, 0), form2->Popup());
  const std::vector<std::wstring> expected{L"TKTﾂｰﾙ 起動", L"現在位置記録", L"記録位置呼出", L"SNTP時刻合わせ",
                                           L"ヘルプ", L"ﾊﾞｰｼﾞｮﾝ情報", L"終了"};
  ASSERT_EQ(GetMenuItemCount(form2->Popup()), 7);
  for (UINT i = 0; i < 7; ++i) {
    EXPECT_EQ(MenuText(form2->Popup(), i), expected[i]);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(form2->Popup(), i, TRUE, &info);
    EXPECT_EQ(info.fType & MFT_SEPARATOR, 0u);
  }
}

TEST_F(MenuFormWindow, LoadWritesTzIntoTheClocksLabel) {
  SetEnvironmentVariableW(L"TZ", L"JST-9");
  Load();
  EXPECT_EQ(clock.tzLabel, L"TZ=JST-9");
  DestroyWindow(window);
  SetEnvironmentVariableW(L"TZ", nullptr);
  Load();
  EXPECT_EQ(clock.tzLabel, L"TZ=");
}

TEST_F(MenuFormWindow, PositionCommandsAskTheClockWithTheClockStore) {
  Load();
  form2->Click(MenuCommand::mnuaddsave);
  form2->Click(MenuCommand::mnuaddload);
  EXPECT_EQ(clock.calls, (std::vector<std::wstring>{L"save Clock", L"restore Clock"}));
}

TEST_F(MenuFormWindow, ExitUnloadsTheClockWindowThenTheFormAndEndsTheLoop) {
  Load();
  form2->Click(MenuCommand::mnuExit);
  EXPECT_TRUE(testing::PumpUntil([this] { return !IsWindow(window); }));
  EXPECT_EQ(clock.calls, std::vector<std::wstring>{L"unload clock"});
  EXPECT_FALSE(IsWindow(clock.ClockWindow()));
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MenuFormWindow, MissingDesignerIsReportedAndTheClockRunsOn) {
  ScratchDirectory scratch;
  Load();
  boxes.script = {{IDOK, nullptr}};
  form2->Click(MenuCommand::mnutool);  // would end this test program if it thought the designer started
  EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kToolStartFailedText});
  EXPECT_FALSE(boxes.shown[0].clockEnabled);
  EXPECT_TRUE(IsWindowEnabled(clock.ClockWindow()));
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(MenuFormWindow, MissingHelpPageIsReportedWithItsPath) {
  ScratchDirectory scratch;
  Load();
  boxes.script = {{IDOK, nullptr}};
  form2->Click(MenuCommand::mnuHelp);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text.rfind(kHelpMissingText, 0), 0u);
  EXPECT_NE(boxes.shown[0].text.find(L"help\\clock.html"), std::wstring::npos);
}

struct ModalCheck {
  HWND form, clock;
  bool sawIt = false;
};
ModalCheck* modalCheck;

// Runs inside the version window's modal loop: checks the modal state, then closes the window.
void CALLBACK CheckAndCloseVersionWindow(HWND, UINT, UINT_PTR, DWORD) {
  HWND version = FindWindowW(L"TocktideVersion", kVersionCaption);
  if (!version || modalCheck->sawIt) return;
  EXPECT_FALSE(IsWindowEnabled(modalCheck->form));
  EXPECT_FALSE(IsWindowEnabled(modalCheck->clock));
  EXPECT_EQ(GetWindow(version, GW_OWNER), modalCheck->form);
  modalCheck->sawIt = true;
  SendMessageW(GetDlgItem(version, IDCANCEL), BM_CLICK, 0, 0);
}

TEST_F(MenuFormWindow, VersionWindowIsModalOverTheClockAndTheForm) {
  Load();
  ModalCheck check{window, clock.ClockWindow()};
  modalCheck = &check;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &CheckAndCloseVersionWindow);
  form2->Click(MenuCommand::mnuHelpVersion);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(check.sawIt);
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_TRUE(IsWindowEnabled(clock.ClockWindow()));
  EXPECT_EQ(FindWindowW(L"TocktideVersion", nullptr), nullptr);
}

}  // namespace
}  // namespace tkt
