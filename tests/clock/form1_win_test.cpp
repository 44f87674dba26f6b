// The clock window loaded from a settings file, painted through PaintContent into a memory DC.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "faceformat/bmp.h"
#include "faceformat/region.h"
#include "faceformat/settings.h"
#include "form1_win.h"
#include "quiet_chime_win.h"

namespace {

constexpr uint32_t kFaceColour = 0x00204060;

class Form1WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("tkt-form1-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(dir_);
    ASSERT_TRUE(faceformat::WriteBmpFile(dir_ / "face.bmp", faceformat::Image(180, 180, kFaceColour)).ok());
    std::vector<faceformat::RegionRun> runs;
    for (int y = 0; y < 180; ++y) runs.push_back({0, y, 180});
    ASSERT_TRUE(faceformat::WriteRegionFile(dir_ / "face.rgp", runs).ok());
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    oldDir_ = old;
    SetCurrentDirectoryW(dir_.wstring().c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Clock");
  }
  void TearDown() override {
    SetCurrentDirectoryW(oldDir_.c_str());
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  faceformat::ClockSettings Settings() {
    faceformat::ClockSettings s;
    s.regionFilePath = (dir_ / "face.rgp").string();
    s.faceBitmapPath = (dir_ / "face.bmp").string();
    s.secondColor = 0x0000FF, s.secondLength = 140, s.secondWidth = 3;  // red
    s.hourColor = 0x00FF00, s.hourLength = 60, s.hourWidth = 5;         // green
    s.minuteColor = 0xFF0000, s.minuteLength = 120, s.minuteWidth = 3;  // blue
    s.centerDotColor = 0xFFFFFF, s.centerDotSize = 150;
    s.digitalLeft = 1800, s.digitalTop = 150, s.digitalStyle = "hms", s.fontName = "IPAGothic", s.fontSize = 12;
    s.fontBold = true, s.fontItalic = s.fontUnderline = s.fontStrikethru = false;
    s.digitalColor = 0x00FFFF;  // yellow
    s.cuckoo2Left = 150, s.cuckoo2Top = 2100;  // pixel 10, 140
    return s;
  }

  faceformat::Image Paint(tkt::Form1Window& form, int width = 314, int height = 335) {
    faceformat::Image img(width, height, 0);
    const tkt::DibSection dib = tkt::DibSection::Create(width, height);
    {
      tkt::MemoryDc dc(nullptr);
      dc.Select(dib.bitmap.get());
      form.PaintContent(dc.get(), RECT{0, 0, width, height});
    }
    GdiFlush();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) img.pixels[size_t(y) * width + x] = dib.At(x, y);
    return img;
  }

  std::filesystem::path dir_;
  std::wstring oldDir_;
};

int Count(const faceformat::Image& img, int l, int t, int r, int b, uint32_t colour) {
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) n += img.at(x, y) == colour;
  return n;
}

TEST_F(Form1WindowTest, PaintsFaceReadoutHandsAndDot) {
  ASSERT_TRUE(faceformat::WriteSettingsFile(dir_ / "tkt.ini", Settings()).ok());
  tkt::Form1Window form;
  ASSERT_TRUE(form.Create(GetModuleHandleW(nullptr)));
  faceformat::Image before = Paint(form);
  EXPECT_GT(Count(before, 115, 5, 180, 35, 0x00FFFF00), 10) << "the read-out's --:--:-- before the first tick";

  form.Timer1_Timer({2024, 5, 6, 9, 0, 30, 0});  // second hand down, minute hand up, hour hand left
  const faceformat::Image img = Paint(form);
  EXPECT_EQ(img.at(20, 20), kFaceColour);
  EXPECT_EQ(img.at(90, 90), 0x00FFFFFFu);  // the dot over the hands
  EXPECT_EQ(img.at(90, 170), 0x00FF0000u);  // second hand reaches 84 px down
  EXPECT_EQ(img.at(90, 30), 0x000000FFu);   // minute hand
  EXPECT_EQ(img.at(60, 90), 0x0000FF00u);   // hour hand at 9
  EXPECT_EQ(img.at(90, 178), kFaceColour);
  EXPECT_GT(Count(img, 115, 5, 180, 35, 0x00FFFF00), 10);
  EXPECT_EQ(form.model().Label1.caption, "09:00:30");
}

// Moved to a monitor at 150 %, the clock makes its face, outline and read-out again at that scale around
// the same face pixels, and back at 100 % it is exactly as it was. (The system sends WM_DPICHANGED only
// where monitors differ in scale, so the test sends it.)
TEST_F(Form1WindowTest, AnotherMonitorScaleMakesTheFaceAgainAndBackExactly) {
  ASSERT_TRUE(faceformat::WriteSettingsFile(dir_ / "tkt.ini", Settings()).ok());
  tkt::Form1Window form;
  ASSERT_TRUE(form.Create(GetModuleHandleW(nullptr)));
  form.Timer1_Timer({2024, 5, 6, 9, 0, 30, 0});
  const faceformat::Image at96 = Paint(form);
  auto sendScale = [&form](int dpi, RECT suggested) {
    SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  };

  sendScale(144, {500, 400, 0, 0});
  RECT r{};
  GetWindowRect(form.hwnd(), &r);
  EXPECT_EQ(r.left, 500);
  EXPECT_EQ(r.top, 400);
  EXPECT_EQ(r.right - r.left, 471);
  EXPECT_EQ(r.bottom - r.top, 503);
  tkt::GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form.hwnd(), region.get()), ERROR);
  RECT box{};
  GetRgnBox(region.get(), &box);
  EXPECT_EQ(box.right, 270);
  EXPECT_EQ(box.bottom, 270);
  const faceformat::Image at144 = Paint(form, 471, 503);
  EXPECT_EQ(at144.at(135, 135), 0x00FFFFFFu);  // the dot at the scaled centre
  EXPECT_EQ(at144.at(135, 255), 0x00FF0000u);  // the second hand, 1.5 times as long
  EXPECT_EQ(at144.at(20, 20), kFaceColour);
  EXPECT_GT(Count(at144, 175, 8, 270, 52, 0x00FFFF00), 20) << "the read-out at 1.5 times its place and size";

  sendScale(96, {500, 400, 0, 0});
  const faceformat::Image back = Paint(form);
  EXPECT_EQ(back.pixels, at96.pixels);
}

// Answers the states it was given, one a query, and fails on a query beyond them.
class ScriptedStates : public tkt::NotificationStateSource {
 public:
  explicit ScriptedStates(std::vector<tkt::NotificationState> states) : states_(std::move(states)) {}
  ~ScriptedStates() override { EXPECT_EQ(next_, states_.size()) << "states never asked for"; }
  std::optional<tkt::NotificationState> Query() override {
    if (next_ >= states_.size()) {
      ADD_FAILURE() << "unexpected query";
      return std::nullopt;
    }
    return states_[next_++];
  }

 private:
  std::vector<tkt::NotificationState> states_;
  size_t next_ = 0;
};

// The chime asks once a call, as the door opens; the door opens and shuts whatever the answer.
TEST_F(Form1WindowTest, ChimeAsksTheNotificationStateOnceACall) {
  ASSERT_TRUE(faceformat::WriteSettingsFile(dir_ / "tkt.ini", Settings()).ok());
  tkt::Form1Window form;
  ASSERT_TRUE(form.Create(GetModuleHandleW(nullptr)));
  ScriptedStates states({tkt::NotificationState::QuietTime, tkt::NotificationState::AcceptsNotifications});
  form.SetNotificationStateSource(states);
  form.Timer1_Timer({2024, 5, 6, 2, 0, 0, 0});  // two calls
  std::string doors;
  while (form.model().timer2Enabled) {
    form.Timer2_Timer();
    doors += form.model().hato2_open.visible && !form.model().hato2_close.visible ? "o" : "c";
  }
  EXPECT_EQ(doors, "ococ");
}

struct OwnedWindow {
  explicit OwnedWindow(HWND w) : hwnd(w) {}
  ~OwnedWindow() { DestroyWindow(hwnd); }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;
  HWND hwnd;
};

bool Topmost(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool Below(HWND lower, HWND upper) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

// The look the tick takes every second (Wine 8 sends no WinEvents; tests/e2e sees the tick do it).
TEST_F(Form1WindowTest, FullScreenWorkInFrontTakesTheClockOutOfTheTopmostBand) {
  ASSERT_TRUE(faceformat::WriteSettingsFile(dir_ / "tkt.ini", Settings()).ok());
  tkt::Form1Window form;
  ASSERT_TRUE(form.Create(GetModuleHandleW(nullptr)));
  tkt::FullScreenWatch& watch = form.fullScreen();
  EXPECT_TRUE(watch.hooked());
  const HWND clock = form.hwnd();
  ASSERT_TRUE(Topmost(clock));
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  OwnedWindow work(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, nullptr, nullptr,
                                   nullptr, nullptr));
  ASSERT_TRUE(work.hwnd);
  SetForegroundWindow(work.hwnd);
  ASSERT_EQ(GetForegroundWindow(), work.hwnd);

  watch.Check();
  EXPECT_FALSE(Topmost(clock));
  EXPECT_TRUE(Below(clock, work.hwnd));
  // Maximised with a taskbar showing: the work area, not the monitor.
  SetWindowPos(work.hwnd, nullptr, 0, 0, cx, cy - 30, SWP_NOZORDER | SWP_NOACTIVATE);
  watch.Check();
  EXPECT_TRUE(Topmost(clock)) << "no longer full-screen";
  SetWindowPos(work.hwnd, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
  watch.Check();
  EXPECT_FALSE(Topmost(clock)) << "full-screen again";
  ShowWindow(work.hwnd, SW_HIDE);
  watch.Check();
  EXPECT_TRUE(Topmost(clock)) << "the full-screen window went away";
}

// A face left where no screen shows it after a display change comes back; a face still on a screen stays.
TEST_F(Form1WindowTest, DisplayChangeBringsALostFaceBackAndLeavesAVisibleOne) {
  ASSERT_TRUE(faceformat::WriteSettingsFile(dir_ / "tkt.ini", Settings()).ok());
  tkt::Form1Window form;
  ASSERT_TRUE(form.Create(GetModuleHandleW(nullptr)));
  const HWND clock = form.hwnd();
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(clock, nullptr, cx - 40, cy - 40, 0, 0, flags);
  SendMessageW(clock, WM_DISPLAYCHANGE, 32, MAKELPARAM(cx, cy));
  RECT r{};
  GetWindowRect(clock, &r);
  EXPECT_EQ(r.left, cx - 40) << "partly visible: it stays";
  EXPECT_EQ(r.top, cy - 40);
  SetWindowPos(clock, nullptr, cx + 500, cy + 400, 0, 0, flags);
  SendMessageW(clock, WM_DISPLAYCHANGE, 32, MAKELPARAM(cx, cy));
  GetWindowRect(clock, &r);
  EXPECT_LT(r.left, cx);
  EXPECT_LT(r.top, cy);
  EXPECT_GE(r.left, 0);
  EXPECT_GE(r.top, 0);
}

// Wine's shell answers "accepts notifications" always; Windows may answer any state, but answers.
TEST(ShellNotificationState, AnswersAState) {
  tkt::ShellNotificationState shell;
  ASSERT_TRUE(shell.available());
  const auto state = shell.Query();
  ASSERT_TRUE(state.has_value());
  EXPECT_GE(int(*state), int(tkt::NotificationState::NotPresent));
  EXPECT_LE(int(*state), int(tkt::NotificationState::App));
}

}  // namespace
