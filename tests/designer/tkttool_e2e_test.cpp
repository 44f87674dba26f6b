// tkttool.exe from the staged installation, driven from outside as a user would: the splash, then the main
// window, then the exit button. Every wait polls with a deadline. (The pages' work end to end is driven
// by the scripted cases of tests/e2e.)
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>

#include "harness.h"

namespace {

using namespace harness;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(TkttoolEndToEnd, SplashThenMainWindowThenExit) {
  const std::wstring exe = std::filesystem::path(TKT_STAGE_DIR_WIN) / L"tkttool.exe";
  Process tool(Quoted(exe), TKT_STAGE_DIR_WIN, exe.c_str());
  ASSERT_TRUE(tool.started());
  const auto started = Clock::now();

  HWND splash = nullptr, main = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (splash = FindProcessWindow(tool.id(), L"TktDesignerForm3")) != nullptr; }, 30s));
  const auto splashSeen = Clock::now();
  EXPECT_EQ(FindProcessWindow(tool.id(), L"TktDesignerForm1"), nullptr);
  RECT r;
  GetClientRect(splash, &r);
  EXPECT_EQ(r.right, 404);
  EXPECT_EQ(r.bottom, 272);

  ASSERT_TRUE(WaitUntil([&] { return (main = FindProcessWindow(tool.id(), L"TktDesignerForm1")) != nullptr; }, 20s));
  using std::chrono::duration_cast, std::chrono::milliseconds;
  EXPECT_GE(duration_cast<milliseconds>(Clock::now() - splashSeen).count(), 2500)
      << "the main window comes after the splash's three seconds";
  EXPECT_LE(duration_cast<milliseconds>(Clock::now() - started).count(), 15000);
  EXPECT_FALSE(IsWindowVisible(splash));

  HWND exit = FindChild(main, [](HWND w) { return HasClass(w, L"Button") && WindowText(w) == L"終　了"; });
  ASSERT_NE(exit, nullptr);
  PostMessageW(exit, BM_CLICK, 0, 0);
  EXPECT_EQ(tool.Wait(10s), 0u);
}

}  // namespace
