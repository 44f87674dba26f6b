// The stored window position in the registry: round trip, nothing stored, bad values, lost windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gdi_win.h"
#include "window_pos_win.h"

namespace {

class WindowPosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = L"ClockTest" + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\VB and VBA Program Settings\\" + app_).c_str());
    wnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 100, 120, 314, 335, nullptr, nullptr, nullptr,
                           nullptr);
    ASSERT_NE(wnd_, nullptr);
    // The face: the window's top-left 180 x 180 pixels.
    SetWindowRgn(wnd_, CreateRectRgn(0, 0, 180, 180), FALSE);
    ASSERT_EQ(tkt::ScreenTwipsPerPixel(), 15);
  }
  void TearDown() override {
    DestroyWindow(wnd_);
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\VB and VBA Program Settings\\" + app_).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\VB and VBA Program Settings\\" + app_).c_str());
  }
  RECT Rect() {
    RECT r{};
    GetWindowRect(wnd_, &r);
    return r;
  }
  std::wstring Stored(const wchar_t* name) {
    wchar_t text[64];
    DWORD size = sizeof text, type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, tkt::WindowPosKey(app_).c_str(), name, RRF_RT_ANY, &type, text, &size))
      return L"(none)";
    return type == REG_SZ ? text : L"(not text)";
  }
  void Store(const wchar_t* name, const wchar_t* text) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, tkt::WindowPosKey(app_).c_str(), name, REG_SZ, text,
                              DWORD((wcslen(text) + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  void MoveTo(int x, int y, int w, int h) { SetWindowPos(wnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE); }

  std::wstring app_;
  HWND wnd_ = nullptr;
};

TEST_F(WindowPosTest, SaveThenRestoreBringsBackPlaceAndSize) {
  ASSERT_EQ(tkt::SaveWindowPos(wnd_, app_), ERROR_SUCCESS);
  EXPECT_EQ(Stored(L"Left"), L"1500");
  EXPECT_EQ(Stored(L"Top"), L"1800");
  EXPECT_EQ(Stored(L"Width"), L"4710");
  EXPECT_EQ(Stored(L"Height"), L"5025");
  MoveTo(400, 300, 200, 100);
  tkt::RestoreWindowPos(wnd_, app_);
  const RECT r = Rect();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 314);
  EXPECT_EQ(r.bottom - r.top, 335);
}

TEST_F(WindowPosTest, NothingStoredChangesNothingAndEachUsableValueIsRestoredOnItsOwn) {
  tkt::RestoreWindowPos(wnd_, app_);
  EXPECT_EQ(Rect().left, 100);
  Store(L"Left", L"abc");     // not a number: ignored, and no failure
  Store(L"Top", L"3000,5");   // the earlier clock wrote the user's decimal separator
  Store(L"Height", L"");
  tkt::RestoreWindowPos(wnd_, app_);
  const RECT r = Rect();
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 200);
  EXPECT_EQ(r.right - r.left, 314);
  EXPECT_EQ(r.bottom - r.top, 335);
}

TEST_F(WindowPosTest, ASizeThatWouldHideTheFaceIsNotUsed) {
  Store(L"Width", L"0");
  Store(L"Height", L"1500");  // 100 px: cuts the 180 px face
  tkt::RestoreWindowPos(wnd_, app_);
  RECT r = Rect();
  EXPECT_EQ(r.right - r.left, 314);
  EXPECT_EQ(r.bottom - r.top, 335);
  Store(L"Width", L"2700");
  tkt::RestoreWindowPos(wnd_, app_);
  r = Rect();
  EXPECT_EQ(r.right - r.left, 180);
  EXPECT_EQ(r.bottom - r.top, 335);
}

TEST_F(WindowPosTest, AFaceStoredOffEveryScreenComesBackFullyOnTheNearest) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  Store(L"Left", L"60000");  // 4000 px: far right of a 1024 px screen
  Store(L"Top", L"1500");
  tkt::RestoreWindowPos(wnd_, app_);
  const RECT r = Rect();
  EXPECT_EQ(r.left + 180, work.right);
  EXPECT_EQ(r.top, 100);
}

}  // namespace
