// The menu form's window: its popup, its load, and the commands that leave the process running.
#include <gtest/gtest.h>

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

class MenuFormWindow : public ::testing::Test {
 protected:
  void Load() {
    MenuFormOptions options;
    options.boxes = &boxes;
    options.setClock = [](const UtcDateTime&) { return ClockSetResult::kFailed; };
    options.server = {"127.0.0.1", 9, 0};
    form2 = Form2::Create(clock.ClockWindow(), clock, std::move(options));
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
    info.fMask = MIIM_FTYPE;  // no separators
    GetMenuItemInfoW(form2->Popup(), i, TRUE, &info);
    EXPECT_EQ(info.fType & MFT_SEPARATOR, 0u);
  }
}

TEST_F(MenuFormWindow, ExitUnloadsTheClockWindowThenTheFormAndEndsTheLoop) {
  Load();
  clock.expected = {L"unload clock"};
  form2->Click(MenuCommand::mnuExit);
  EXPECT_TRUE(testing::PumpUntil([this] { return !IsWindow(window); }));
  EXPECT_EQ(clock.calls, std::vector<std::wstring>{L"unload clock"});
  EXPECT_FALSE(IsWindow(clock.ClockWindow()));
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
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

// The menu brings its hidden form to the front to take the keys; a command chosen there gives them back.
TEST_F(MenuFormWindow, AChosenCommandGivesTheFrontBackToTheWindowThatHadIt) {
  Load();
  const HWND work = CreateWindowExW(0, L"STATIC", L"work", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                    nullptr, nullptr, nullptr);
  ASSERT_NE(work, nullptr);
  SetForegroundWindow(work);
  ASSERT_EQ(GetForegroundWindow(), work);
  clock.expected = {L"save Clock"};
  // Read by the menu's own loop: the second item, 現在位置記録, chosen with the keyboard.
  for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(window, WM_KEYDOWN, key, 0);
  form2->ShowPopupMenu(POINT{10, 10});
  EXPECT_EQ(clock.calls, clock.expected);
  EXPECT_EQ(GetForegroundWindow(), work);
  DestroyWindow(work);
}

}  // namespace
}  // namespace tkt
