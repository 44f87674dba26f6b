// The clock over a long run: ten thousand ticks of simulated time with every half-hour chime of half a day,
// and the version window opened two hundred times, leave no more GDI objects, USER objects or private bytes
// behind than a small fixed allowance.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

#include "faceformat/settings.h"
#include "form1_win.h"
#include "growth.h"
#include "version_window.h"

namespace tkt {
namespace {

namespace fs = std::filesystem;

// Seconds from 2024-06-01 00:00:00 to a local time in June.
ClockTime At(int64_t s) {
  return {2024, 6, int(1 + s / 86400), int(s / 3600 % 24), int(s / 60 % 60), int(s % 60), 0};
}

// The count itself: what a round leaves behind shows, whichever way the system lets it be counted.
TEST(GrowthCount, SeesObjectsWindowsAndMemoryLeftBehind) {
  std::vector<HBRUSH> brushes;
  std::vector<HWND> windows;
  std::vector<void*> blocks;
  // The first round also meets what a process makes for its first window; it is not counted.
  const growth::Growth g = growth::Run("deliberate leak", 1, 10, [&](int) {
    brushes.push_back(CreateSolidBrush(RGB(1, 2, 3)));
    brushes.push_back(CreateSolidBrush(RGB(4, 5, 6)));
    windows.push_back(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr));
    void* block = VirtualAlloc(nullptr, 256 * 1024, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    blocks.push_back(block);
  });
  EXPECT_EQ(g.gdi(), 20);
  EXPECT_EQ(g.user(), 10);
  EXPECT_GE(g.bytes(), 10 * 256 * 1024);
  for (HBRUSH b : brushes) DeleteObject(b);
  for (HWND w : windows) DestroyWindow(w);
  for (void* b : blocks) VirtualFree(b, 0, MEM_RELEASE);
  const growth::Usage back = growth::Measure();
  EXPECT_EQ(back.gdiObjects, g.before.gdiObjects - 2);
  // The thread's input-method window goes with its last window.
  EXPECT_LE(back.userObjects, g.before.userObjects - 1);
}

// An installation root with the hato face, and program\tkt.ini naming a face with every
// element: frame, read-out with seconds, both cuckoos.
class ClockGrowth : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path art = fs::absolute(fs::path(TKT_SOURCE_DIR) / "art" / "generated");
    root_ = fs::temp_directory_path() / ("tkt-growth-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root_ / "program");
    // No hato.wav: the calls still go to the sound system and find no file. Without a sound card Wine's sound
    // system keeps or drops some 3 MB from one call to the next, which would drown what is measured here.
    for (const char* name : {"hato.bmp", "hato.rgp"}) {
      fs::copy_file(art / name, root_ / name, fs::copy_options::overwrite_existing);
    }
    faceformat::ClockSettings s = faceformat::KaichuTemplate(root_.string());
    s.regionFilePath = (root_ / "hato.rgp").string();
    s.faceBitmapPath = (root_ / "hato.bmp").string();
    s.frameColor = 255, s.frameSize = 2400;
    s.digitalLeft = 1130, s.digitalTop = 690, s.digitalStyle = "hms", s.fontName = "IPAGothic";
    s.fontSize = 9.75, s.fontBold = true, s.fontItalic = false, s.fontUnderline = true, s.fontStrikethru = false;
    s.digitalColor = 65535;
    s.cuckoo1Left = 600, s.cuckoo1Top = 300, s.cuckoo2Left = 1800, s.cuckoo2Top = 300;
    ASSERT_TRUE(faceformat::WriteSettingsFile(root_ / "program" / "tkt.ini", s).ok());
    saved_ = fs::current_path();
    fs::current_path(root_ / "program");
  }
  void TearDown() override {
    growth::PumpMessages();
    fs::current_path(saved_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  fs::path root_, saved_;
};

TEST_F(ClockGrowth, TenThousandTicksWithTwentyFourChimes) {
  Form1Window clock;
  ASSERT_TRUE(clock.Create(GetModuleHandleW(nullptr)));
  clock.Show();

  // Warm-up: 200 seconds around noon with its chime, so the sound system has started before the count.
  // Then 24 stretches of about 417 seconds, each around one of the half hours from midnight to 11:30, so
  // every chime from 12 calls down to 1 rings once.
  std::vector<ClockTime> times;
  for (int i = 0; i < 200; ++i) times.push_back(At(12 * 3600 - 60 + i));
  for (int k = 0; k < 24; ++k) {
    const int64_t mark = 86400 + k * 1800;
    const int n = k < 16 ? 417 : 416;
    for (int i = 0; i < n; ++i) times.push_back(At(mark - 200 + i));
  }
  ASSERT_EQ(times.size(), 10200u);

  int chimes = 0, calls = 0;
  const growth::Growth g = growth::Run("clock ticks", 200, 10000, [&](int i) {
    const bool counted = i >= 200;
    clock.Timer1_Timer(times[size_t(i)]);
    if (counted && clock.model().timer2Enabled && clock.model().chimeStep == 0) ++chimes;
    // The chime timer steps twice a second while it runs.
    for (int step = 0; step < 2 && clock.model().timer2Enabled; ++step) {
      clock.Timer2_Timer();
      if (counted && clock.model().chimeStep % 2 == 1) ++calls;
    }
    UpdateWindow(clock.hwnd());
    growth::PumpMessages();
  });
  EXPECT_EQ(chimes, 24);
  EXPECT_EQ(calls, (12 + 66) + 12);  // 12, then 1 to 11 calls on the hours; one on each half hour
  EXPECT_FALSE(clock.model().timer2Enabled);
  EXPECT_LE(g.gdi(), growth::kGdiAllowance);
  EXPECT_LE(g.user(), growth::kUserAllowance);
  EXPECT_LE(g.bytes(), growth::kPrivateBytesAllowance);
}

// Closes the version window a few timer ticks after it has opened, from inside its modal loop.
int g_ticksOpen = 0;
int g_closed = 0;
void CALLBACK CloseVersionWindow(HWND, UINT, UINT_PTR, DWORD) {
  HWND w = FindWindowW(L"TocktideVersion", nullptr);
  DWORD pid = 0;
  if (!w || !GetWindowThreadProcessId(w, &pid) || pid != GetCurrentProcessId()) return;
  if (++g_ticksOpen < 3) return;
  g_ticksOpen = 0;
  ++g_closed;
  SendMessageW(GetDlgItem(w, IDCANCEL), BM_CLICK, 0, 0);
}

TEST_F(ClockGrowth, TwoHundredOpeningsOfTheVersionWindow) {
  // The menu form's part: a hidden owner, and the clock window disabled meanwhile.
  HWND owner = CreateWindowExW(0, L"STATIC", L"menu", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND clock = CreateWindowExW(0, L"STATIC", L"clock", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(owner && clock);
  const UINT_PTR timer = SetTimer(nullptr, 0, 5, CloseVersionWindow);
  std::mt19937 rng(8);
  g_closed = 0;
  const growth::Growth g = growth::Run("version window", 10, 200, [&](int) {
    VersionWindow::ShowModal(owner, clock, [&rng] { return std::uniform_real_distribution<double>(0, 1)(rng); });
    growth::PumpMessages();
  });
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_closed, 210);
  EXPECT_TRUE(IsWindowEnabled(clock));
  EXPECT_EQ(FindWindowW(L"TocktideVersion", nullptr), nullptr);
  DestroyWindow(clock);
  DestroyWindow(owner);
  EXPECT_LE(g.gdi(), growth::kGdiAllowance);
  EXPECT_LE(g.user(), growth::kUserAllowance);
  EXPECT_LE(g.bytes(), growth::kPrivateBytesAllowance);
}

}  // namespace
}  // namespace tkt
