// Stored window positions: the text form and keeping a restored face on a screen.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "clock/window_pos.h"

using tkt::PixelOffset;
using tkt::PixelRect;
using tkt::PixelSize;

namespace {

TEST(StoredTwips, RoundTripsReadsACommaAndRejectsTheRest) {
  EXPECT_EQ(tkt::FormatStoredTwips(1612.5f), "1612.5");
  EXPECT_EQ(tkt::ParseStoredTwips("1612,5"), 1612.5f);  // the earlier clock wrote the user's separator
  EXPECT_EQ(tkt::ParseStoredTwips(" -450 "), -450.0f);
  for (const char* bad : {"", " ", "abc", "12px", "1.2.3", "--5", "nan", "inf", "1e99", "0x10"})
    EXPECT_FALSE(tkt::ParseStoredTwips(bad).has_value()) << bad;
  for (float v : {12660.0f, 1612.5f, -0.25f, 0.0f, 123456.7f})
    EXPECT_EQ(tkt::ParseStoredTwips(tkt::FormatStoredTwips(v)), v);
}

TEST(PullOntoScreen, APartlyVisibleFaceStaysAndALostOneComesFullyOntoTheNearestScreen) {
  const std::vector<PixelRect> two = {{0, 0, 1024, 738}, {1024, 0, 2048, 768}}, one = {{0, 0, 1024, 738}},
                               small = {{0, 0, 640, 480}};
  const struct {
    PixelRect face;
    const std::vector<PixelRect>& screens;
    PixelOffset move;
  } cases[] = {
      {{1000, 700, 1180, 880}, two, {}},
      {{-179, 100, 1, 280}, two, {}},
      {{1500, 767, 1680, 947}, two, {}},
      {{2500, 1200, 2680, 1380}, two, {2048 - 2680, 768 - 1380}},  // stored on a bigger screen
      {{-500, 100, -320, 280}, two, {500, 0}},
      {{100, -400, 280, -220}, two, {0, 400}},
      {{10, 740, 190, 920}, one, {0, 738 - 920}},
      {{-2000, -2000, -1000, -1000}, small, {2000, 2000}},  // bigger than the screen: top-left on it
      {{5000, 10, 5800, 610}, small, {-5000, -10}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tkt::PullOntoScreen(c.face, c.screens), c.move) << c.face.left << "," << c.face.top;
  EXPECT_EQ(tkt::PullOntoScreen({5000, 5000, 5180, 5180}, {}), PixelOffset{});
}

TEST(UsableSize, ASizeThatIsNotPositiveOrCutsTheFaceKeepsTheCurrentOne) {
  const PixelSize current{314, 335};
  const PixelRect face{0, 0, 180, 180};
  const struct {
    std::optional<int> width, height;
    PixelRect region;
    PixelSize size;
  } cases[] = {
      {400, 200, face, {400, 200}},
      {180, 180, face, {180, 180}},
      {std::nullopt, std::nullopt, face, current},
      {0, 0, face, current},
      {-20, 179, face, current},
      {2, 500, face, {314, 500}},
      {2, 3, {}, {2, 3}},  // no region: only the sign counts
      {0, 3, {}, {314, 3}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tkt::UsableSize(c.width, c.height, current, c.region), c.size)
        << c.width.value_or(-1) << "x" << c.height.value_or(-1);
}

TEST(VisibleFace, TheRegionBoxClippedToTheWindow) {
  const PixelRect window{1000, 500, 1314, 835};
  EXPECT_EQ(tkt::VisibleFace(window, PixelRect{0, 0, 180, 180}), (PixelRect{1000, 500, 1180, 680}));
  // A face larger than the window: only what the window shows counts.
  EXPECT_EQ(tkt::VisibleFace(window, PixelRect{-10, 0, 400, 400}), (PixelRect{1000, 500, 1314, 835}));
  EXPECT_EQ(tkt::VisibleFace(window, std::nullopt), window);
  // Shown part off every screen, hidden part on one: the face comes back.
  const std::vector<PixelRect> screen = {{0, 0, 1024, 768}};
  const PixelRect lost{-400, 100, -86, 435};
  EXPECT_EQ(tkt::PullOntoScreen(tkt::VisibleFace(lost, PixelRect{0, 0, 500, 180}), screen), (PixelOffset{400, 0}));
}

}  // namespace
