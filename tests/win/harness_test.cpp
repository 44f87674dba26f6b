// Proves the Windows-side harness: the program runs under Wine with a display and code page 932.
#include <windows.h>

#include <gtest/gtest.h>

TEST(Harness, CreatesAVisibleWindowOnTheDisplay) {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"harness", WS_POPUP | WS_VISIBLE, 10, 10, 50, 40, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(wnd, nullptr);
  EXPECT_TRUE(IsWindowVisible(wnd));
  RECT r{};
  ASSERT_TRUE(GetWindowRect(wnd, &r));
  EXPECT_EQ(r.right - r.left, 50);
  EXPECT_EQ(r.bottom - r.top, 40);
  DestroyWindow(wnd);
}

TEST(Harness, RunsWithTheJapaneseAnsiCodePage) { EXPECT_EQ(GetACP(), 932u); }
