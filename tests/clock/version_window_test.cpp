// The version window as the platform draws it: layout, texts, and the logo animation on the canvas's image.
#include <gtest/gtest.h>

#include <deque>

#include "menu_texts.h"
#include "menu_win_fakes.h"
#include "version_window.h"
#include "wincommon/gdi.h"

namespace tkt {
namespace {

// Numbers from a script, the last one repeated.
RandomSource Scripted(std::deque<double> values) {
  auto state = std::make_shared<std::deque<double>>(std::move(values));
  return [state] {
    const double v = state->front();
    if (state->size() > 1) state->pop_front();
    return v;
  };
}

class VersionWindowTest : public ::testing::Test {
 protected:
  VersionWindow* Open(RandomSource random = {}) {
    VersionWindow* w = VersionWindow::Create(nullptr, std::move(random));
    if (w) windows.push_back(w->Window());
    return w;
  }
  void TearDown() override {
    for (HWND w : windows)
      if (IsWindow(w)) DestroyWindow(w);
  }
  // The logo as it stands complete on the canvas.
  static void ExpectCompleteLogo(const VersionWindow& w) {
    const auto& anim = w.Animation();
    int mismatches = 0;
    for (int y = 0; y < w.CanvasHeight(); ++y) {
      for (int x = 0; x < w.CanvasWidth(); ++x) {
        const int lx = x - anim.LogoLeft, ly = y - anim.LogoTop;
        const bool inside = lx >= 0 && ly >= 0 && lx < w.LogoWidth() && ly < w.LogoHeight();
        const uint32_t expected = inside ? w.Logo().At(lx, ly) : 0;
        if (w.CanvasPixel(x, y) != expected && ++mismatches < 5) {
          ADD_FAILURE() << "canvas " << x << "," << y << ": " << std::hex << w.CanvasPixel(x, y) << " not " << expected;
        }
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
  std::vector<HWND> windows;
};

TEST_F(VersionWindowTest, LayoutCaptionAndTabOrder) {
  VersionWindow* w = Open();
  ASSERT_NE(w, nullptr);
  wchar_t caption[32] = {};
  GetWindowTextW(w->Window(), caption, 32);
  EXPECT_STREQ(caption, L"ﾊﾞｰｼﾞｮﾝ情報");
  RECT client{};
  GetClientRect(w->Window(), &client);
  EXPECT_EQ(client.right, 293);  // 4395 x 2130 twips
  EXPECT_EQ(client.bottom, 142);
  // A 4035 x 735 twip picture box less its sunken border.
  EXPECT_EQ(w->CanvasWidth(), 265);
  EXPECT_EQ(w->CanvasHeight(), 45);
  EXPECT_EQ(GetNextDlgTabItem(w->Window(), nullptr, FALSE), w->CloseButton());
  EXPECT_EQ(GetFocus(), w->CloseButton());
}

// Wine gives every monitor the system's DPI and never sends WM_DPICHANGED: the test sends it, as Windows does
// when the window moves to a monitor at 1.5 times the scale.
TEST_F(VersionWindowTest, ANewDpiLaysTheWindowOutAgainAtItsScale) {
  VersionWindow* w = Open();
  ASSERT_NE(w, nullptr);
  RECT clientBefore{}, closeBefore{}, outer{};
  GetClientRect(w->Window(), &clientBefore);
  GetWindowRect(w->CloseButton(), &closeBefore);
  MapWindowPoints(nullptr, w->Window(), reinterpret_cast<POINT*>(&closeBefore), 2);
  GetWindowRect(w->Window(), &outer);
  const SIZE logoBefore{w->LogoWidth(), w->LogoHeight()};
  const RECT suggested{outer.left, outer.top, outer.left + (outer.right - outer.left) * 3 / 2,
                       outer.top + (outer.bottom - outer.top) * 3 / 2};
  const int dpi = w->dpi() * 3 / 2;
  SendMessageW(w->Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(w->dpi(), dpi);

  RECT client{}, close{};
  GetClientRect(w->Window(), &client);
  GetWindowRect(w->CloseButton(), &close);
  MapWindowPoints(nullptr, w->Window(), reinterpret_cast<POINT*>(&close), 2);
  auto expectOneAndAHalf = [](LONG before, LONG now, const char* what) {
    EXPECT_NEAR(now, before * 1.5, 1.0) << what;
  };
  expectOneAndAHalf(clientBefore.right, client.right, "client width");
  expectOneAndAHalf(clientBefore.bottom, client.bottom, "client height");
  expectOneAndAHalf(closeBefore.left, close.left, "button left");
  expectOneAndAHalf(closeBefore.top, close.top, "button top");
  expectOneAndAHalf(closeBefore.right - closeBefore.left, close.right - close.left, "button width");
  expectOneAndAHalf(closeBefore.bottom - closeBefore.top, close.bottom - close.top, "button height");
  expectOneAndAHalf(logoBefore.cx, w->LogoWidth(), "logo width");
  expectOneAndAHalf(logoBefore.cy, w->LogoHeight(), "logo height");
  EXPECT_EQ(w->Animation().AnimState, LogoAnimation::kIdle);
  ExpectCompleteLogo(*w);
}

TEST_F(VersionWindowTest, OpensWithTheWholeLogoThenAnimatesToItAgain) {
  VersionWindow* w = Open(Scripted({0.9, 0.3, 0.1, 0.7, 0.6, 0.2, 0.99, 0.45}));
  ASSERT_NE(w, nullptr);
  ExpectCompleteLogo(*w);
  ASSERT_EQ(w->Animation().AnimState, LogoAnimation::kAnimating);
  for (int i = 0; i < 10; ++i) w->Timer1_Timer();
  int moved = 0;
  for (int y = 0; y < w->CanvasHeight(); ++y)
    for (int x = 0; x < w->CanvasWidth(); ++x) moved += w->CanvasPixel(x, y) == 0;
  EXPECT_GT(moved, 500) << "frame 10 should leave black gaps where blocks are still flying";
  for (int i = 10; i <= 50; ++i) w->Timer1_Timer();
  EXPECT_EQ(w->Animation().AnimState, LogoAnimation::kIdle);
  ExpectCompleteLogo(*w);
}

TEST_F(VersionWindowTest, ABlockFromPastTheEdgeShowsTheBackground) {
  // Block (54, 0) starts 20 px to the left of its home after turning to 180 degrees; all others sit at home.
  std::deque<double> script;
  for (int x = 0; x <= 54; ++x)
    for (int y = 0; y <= 10; ++y) {
      const bool flying = x == 54 && y == 0;
      script.push_back(flying ? 20.0 / 45 : 0.0);
      script.push_back(flying ? 170.0 / 360 : 0.0);
    }
  VersionWindow* w = Open(Scripted(script));
  ASSERT_NE(w, nullptr);
  w->Timer1_Timer();
  // Home 5 x 54 - 2 = 268 (off the canvas); now at 248..252, rows -3..1.
  for (int x = 248; x < 253; ++x)
    for (int y = 0; y < 2; ++y) EXPECT_EQ(w->CanvasPixel(x, y), 0xC0C0C0u) << x << "," << y;
}

TEST_F(VersionWindowTest, TheTimerPlaysTheAnimationAndEachOpeningStartsAfresh) {
  VersionWindow* first = Open();
  VersionWindow* second = Open();
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(testing::PumpUntil([&] {
    return first->Animation().AnimState == LogoAnimation::kIdle &&
           second->Animation().AnimState == LogoAnimation::kIdle;
  }));
  int same = 0;
  for (int x = 0; x <= 54; ++x)
    for (int y = 0; y <= 10; ++y) same += first->Animation().BlockRadius(x, y) == second->Animation().BlockRadius(x, y);
  EXPECT_LT(same, 55 * 11 / 4) << "two openings scattered the blocks alike";
  ExpectCompleteLogo(*first);
}

TEST_F(VersionWindowTest, CloseButtonAndEscapeClose) {
  VersionWindow* w = Open();
  ASSERT_NE(w, nullptr);
  HWND window = w->Window();
  SendMessageW(w->CloseButton(), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  w = Open();
  window = w->Window();
  SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace tkt
