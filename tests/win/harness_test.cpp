// Proves the Windows-side harness: the program runs under Wine with a display and code page 932, and the
// shared helper of the tests finds what is on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "harness.h"

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

// The shared helper (harness.h) against a red window of known shape, partly off the screen's left edge.
class HarnessWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = brush_.get();
    wc.lpszClassName = L"TktHarnessRed";
    RegisterClassW(&wc);
    wnd_ = CreateWindowExW(WS_EX_TOPMOST, L"TktHarnessRed", L"", WS_POPUP | WS_VISIBLE, -10, 20, 40, 30, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(wnd_, nullptr);
    dir_ = std::filesystem::temp_directory_path() / ("tkt-harness-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    DestroyWindow(wnd_);
    UnregisterClassW(L"TktHarnessRed", GetModuleHandleW(nullptr));  // it holds this test's brush
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::filesystem::path Write(const char* name, const char* text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return dir_ / name;
  }

  tkt::GdiObject<HBRUSH> brush_{CreateSolidBrush(RGB(255, 0, 0))};
  HWND wnd_ = nullptr;
  std::filesystem::path dir_;
};

TEST_F(HarnessWindow, ComparesTheWindowsRegionWithARegionFile) {
  tkt::GdiObject<HRGN> shape(CreateRectRgn(2, 0, 7, 1));
  tkt::GdiObject<HRGN> row(CreateRectRgn(0, 1, 8, 2));
  CombineRgn(shape.get(), shape.get(), row.get(), RGN_OR);
  ASSERT_TRUE(SetWindowRgn(wnd_, shape.release(), FALSE));
  const struct {
    const char *name, *text;
    bool equal, readable;
  } cases[] = {{"same.rgp", "2 0 5\r\n0 1 8\r\n", true, true},
               {"part.rgp", "2 0 5\r\n", false, true},
               {"bad.rgp", "2 0\r\n", false, false}};
  for (const auto& c : cases) {
    const auto check = harness::CompareWindowRegion(wnd_, Write(c.name, c.text));
    EXPECT_EQ(check.equal, c.equal) << c.name;
    EXPECT_EQ(check.error.empty(), c.readable) << c.name;
  }
}

TEST_F(HarnessWindow, CapturesTheWindowAsShownAndWhatIsOffTheScreenAsBlack) {
  faceformat::Image shot;
  const bool painted = harness::WaitUntil([&] {
    UpdateWindow(wnd_);
    shot = harness::CaptureWindow(wnd_);
    return shot.at(10, 0) == 0xFF0000u && shot.at(39, 29) == 0xFF0000u;
  }, std::chrono::seconds(5));
  ASSERT_TRUE(painted);
  EXPECT_EQ(shot.width, 40);
  EXPECT_EQ(shot.height, 30);
  EXPECT_EQ(shot.at(9, 5), 0u);
}
