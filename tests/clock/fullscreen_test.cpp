// Full-screen work on the clock's monitor and the clock's place in the topmost band.
#include "clock/fullscreen.h"

#include <gtest/gtest.h>

namespace tkt {
namespace {

TEST(FullScreen, OnlyAForegroundWindowFillingTheClocksMonitorCounts) {
  const PixelRect monitor{1920, 0, 3840, 1080};  // the second of two monitors
  struct Case {
    const char* what;
    std::optional<ForegroundWindow> fg;
    bool full;
  };
  const Case cases[] = {
      {"borderless game", ForegroundWindow{{1920, 0, 3840, 1080}, L"UnityWndClass"}, true},
      {"larger than the monitor", ForegroundWindow{{1910, -30, 3850, 1090}, L"Game"}, true},
      {"maximised with title bar", ForegroundWindow{{1920, 23, 3840, 1040}, L"Notepad"}, false},
      {"one pixel short", ForegroundWindow{{1920, 0, 3839, 1080}, L"Video"}, false},
      {"full screen on the other monitor", ForegroundWindow{{0, 0, 1920, 1080}, L"Video"}, false},
      {"desktop icons", ForegroundWindow{{0, 0, 3840, 1080}, L"WorkerW"}, false},
      {"program manager", ForegroundWindow{{0, 0, 3840, 1080}, L"Progman"}, false},
      {"shell window", ForegroundWindow{{0, 0, 3840, 1080}, L"Other", true}, false},
      {"no foreground window", std::nullopt, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsFullScreenWork(monitor, c.fg), c.full) << c.what;
}

TEST(FullScreen, TopmostBandChangesOnlyWhenWorkStartsOrEnds) {
  TopmostBand band;
  EXPECT_TRUE(band.topmost());
  EXPECT_EQ(band.Update(false), std::nullopt);
  EXPECT_EQ(band.Update(true), std::optional<bool>(false));
  EXPECT_EQ(band.Update(true), std::nullopt);  // a location change of the same game
  EXPECT_EQ(band.Update(false), std::optional<bool>(true));
  EXPECT_TRUE(band.topmost());
}

}  // namespace
}  // namespace tkt
