// Stored window positions: the text form and keeping a restored face on a screen.
#include <gtest/gtest.h>

#include <vector>

#include "clock/window_pos.h"

using tkt::PixelOffset;
using tkt::PixelRect;

namespace {

TEST(StoredTwips, ShortestFormWithAPoint) {
  EXPECT_EQ(tkt::FormatStoredTwips(12660), "12660");
  EXPECT_EQ(tkt::FormatStoredTwips(1612.5f), "1612.5");
  EXPECT_EQ(tkt::FormatStoredTwips(-450), "-450");
  EXPECT_EQ(tkt::FormatStoredTwips(0), "0");
}

TEST(StoredTwips, ReadsPointAndCommaAndRejectsTheRest) {
  EXPECT_EQ(tkt::ParseStoredTwips("12660"), 12660.0f);
  EXPECT_EQ(tkt::ParseStoredTwips("1612.5"), 1612.5f);
  EXPECT_EQ(tkt::ParseStoredTwips("1612,5"), 1612.5f);
  EXPECT_EQ(tkt::ParseStoredTwips(" -450 "), -450.0f);
  EXPECT_EQ(tkt::ParseStoredTwips("+15"), 15.0f);
  for (const char* bad : {"", " ", "abc", "12px", "1.2.3", "--5", "nan", "inf", "1e99", "0x10"})
    EXPECT_FALSE(tkt::ParseStoredTwips(bad).has_value()) << bad;
  for (float v : {12660.0f, 1612.5f, -0.25f, 4710.0f, 123456.7f})
    EXPECT_EQ(tkt::ParseStoredTwips(tkt::FormatStoredTwips(v)), v);
}

const std::vector<PixelRect> kSmall = {{0, 0, 640, 480}};
const std::vector<PixelRect> kOneScreen = {{0, 0, 1024, 738}};
const std::vector<PixelRect> kTwoScreens = {{0, 0, 1024, 738}, {1024, 0, 2048, 768}};

TEST(PullOntoScreen, AFaceStillPartlyVisibleStaysWhereItIs) {
  EXPECT_EQ(tkt::PullOntoScreen({1000, 700, 1180, 880}, kTwoScreens), PixelOffset{});
  EXPECT_EQ(tkt::PullOntoScreen({-179, 100, 1, 280}, kTwoScreens), PixelOffset{});
  EXPECT_EQ(tkt::PullOntoScreen({1500, 767, 1680, 947}, kTwoScreens), PixelOffset{});
}

TEST(PullOntoScreen, ALostFaceComesFullyOntoTheNearestScreen) {
  // Stored on a bigger screen: far to the right and below.
  EXPECT_EQ(tkt::PullOntoScreen({2500, 1200, 2680, 1380}, kTwoScreens), (PixelOffset{2048 - 2680, 768 - 1380}));
  // Left of everything.
  EXPECT_EQ(tkt::PullOntoScreen({-500, 100, -320, 280}, kTwoScreens), (PixelOffset{500, 0}));
  // Above the left screen, nearest to it.
  EXPECT_EQ(tkt::PullOntoScreen({100, -400, 280, -220}, kTwoScreens), (PixelOffset{0, 400}));
  // Below the left screen's work area but beside nothing else.
  EXPECT_EQ(tkt::PullOntoScreen({10, 740, 190, 920}, kOneScreen), (PixelOffset{0, 738 - 920}));
}

TEST(PullOntoScreen, AFaceBiggerThanTheScreenKeepsItsTopLeftOnIt) {
  EXPECT_EQ(tkt::PullOntoScreen({-2000, -2000, -1000, -1000}, kSmall), (PixelOffset{2000, 2000}));
  EXPECT_EQ(tkt::PullOntoScreen({5000, 10, 5800, 610}, kSmall), (PixelOffset{-5000, -10}));
}

TEST(PullOntoScreen, NoScreensNoMove) {
  EXPECT_EQ(tkt::PullOntoScreen({5000, 5000, 5180, 5180}, {}), PixelOffset{});
}

}  // namespace
