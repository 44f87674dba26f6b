#include "logo_animation.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace tkt {
namespace {

struct Copy {
  int srcX, srcY, width, height, dstX, dstY;
  bool operator==(const Copy&) const = default;
};

// Keeps what the current frame drew since the last clear.
class RecordingCanvas : public LogoCanvas {
 public:
  void Clear() override {
    ++clears;
    copies.clear();
  }
  void CopyFromLogo(int srcX, int srcY, int width, int height, int dstX, int dstY) override {
    copies.push_back({srcX, srcY, width, height, dstX, dstY});
  }
  void Refresh() override { ++refreshes; }

  const Copy& BlockCopy(int x, int y) const {
    for (const Copy& c : copies)
      if (c.srcX == 5 * x && c.srcY == 5 * y && c.width == 5) return c;
    ADD_FAILURE() << "block " << x << "," << y << " not drawn";
    return copies.front();
  }

  int clears = 0;
  int refreshes = 0;
  std::vector<Copy> copies;
};

// Hands out scripted numbers, then repeats the last one; counts the draws.
class ScriptedRandom {
 public:
  explicit ScriptedRandom(std::deque<double> values) : values_(std::move(values)) {}
  RandomSource Source() {
    return [this] {
      ++draws;
      if (values_.size() > 1) {
        const double v = values_.front();
        values_.pop_front();
        return v;
      }
      return values_.front();
    };
  }
  int draws = 0;

 private:
  std::deque<double> values_;
};

// Canvas 265 x 45: a 4035 x 735 twip picture box less its border, as the version window has it.
constexpr int kLogoW = 269, kLogoH = 50, kCanvasW = 265, kCanvasH = 45;

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, int> cases[] = {{132.5, 132}, {133.5, 134}, {-2.5, -2}, {-3.5, -4},
                                          {53.8, 54},   {2.4, 2},     {-0.4, 0},  {-0.6, -1}};
  for (auto [x, rounded] : cases) EXPECT_EQ(RoundHalfEven(x), rounded) << x;
}

TEST(LogoAnimation, GridAndPlacementOfTheShippedLogo) {
  RecordingCanvas canvas;
  ScriptedRandom random({0.5});
  LogoAnimation anim(kLogoW, kLogoH, kCanvasW, kCanvasH, canvas, random.Source());
  EXPECT_EQ(anim.C(), 54);  // from 53.8: the last column reaches past the logo's edge
  EXPECT_EQ(anim.R(), 10);
  EXPECT_EQ(anim.N(), 50);
  EXPECT_EQ(anim.M(), 45);
  EXPECT_EQ(anim.LogoLeft, -2);  // round(round(132.5) - 134.5) = round(-2.5)
  EXPECT_EQ(anim.LogoTop, -3);   // round(round(22.5) - 25)
}

TEST(LogoAnimation, AtOneAndAHalfTimesTheBlocksGrowTheGridCoversTheLogoAndTheFramesStay) {
  RecordingCanvas canvas;
  ScriptedRandom random({0.0});
  // The shipped logo and canvas at 144 DPI.
  LogoAnimation anim(403, 75, 400, 70, canvas, random.Source(), 144);
  EXPECT_EQ(anim.Block(), 8);
  EXPECT_GE((anim.C() + 1) * anim.Block(), 403);
  EXPECT_GE((anim.R() + 1) * anim.Block(), 75);
  EXPECT_EQ(anim.N(), 50);
  for (int frame = 0; frame <= 50; ++frame) anim.Timer1_Timer();
  EXPECT_EQ(anim.AnimState, LogoAnimation::kIdle);
  EXPECT_EQ(LogoAnimation::BlockAt(96), 5);
}

TEST(LogoAnimation, LoadShowsTheWholeLogoThenStartsAtFrameZero) {
  RecordingCanvas canvas;
  ScriptedRandom random({0.5});
  LogoAnimation anim(kLogoW, kLogoH, 300, 60, canvas, random.Source());
  EXPECT_EQ(anim.LogoLeft, 16);  // round(150 - 134.5) = round(15.5)
  EXPECT_EQ(anim.LogoTop, 5);
  EXPECT_EQ(canvas.clears, 1);
  ASSERT_EQ(canvas.copies.size(), 1u);
  EXPECT_EQ(canvas.copies[0], (Copy{0, 0, kLogoW, kLogoH, 16, 5}));
  EXPECT_EQ(anim.AnimState, LogoAnimation::kAnimating);
  EXPECT_EQ(anim.FrameNo, 0);
  EXPECT_EQ(random.draws, 0);
}

TEST(LogoAnimation, FrameZeroDrawsTablesColumnByColumnThenPlacesBlocksAtFullRadius) {
  RecordingCanvas canvas;
  // Block (0,0): radius 0.5 x 45 = 22.5 -> 22, angle 350 -> 0 after the turn: straight right.
  // Block (0,1): radius 20, angle 80 -> 90: straight down. All later blocks: radius 0.
  ScriptedRandom random({0.5, 350.0 / 360, 20.0 / 45, 80.0 / 360, 0.0});
  LogoAnimation anim(kLogoW, kLogoH, kCanvasW, kCanvasH, canvas, random.Source());
  anim.Timer1_Timer();
  EXPECT_EQ(random.draws, 2 * 55 * 11);
  EXPECT_EQ(anim.BlockRadius(0, 0), 22);
  EXPECT_EQ(anim.BlockAngle(0, 0), 0);
  EXPECT_EQ(anim.BlockRadius(0, 1), 20);
  EXPECT_EQ(anim.BlockAngle(0, 1), 90);
  EXPECT_EQ(anim.BlockAngle(1, 0), 10);
  EXPECT_EQ(canvas.copies.size(), 55u * 11u);
  EXPECT_EQ(canvas.BlockCopy(0, 0), (Copy{0, 0, 5, 5, 22 - 2, -3}));
  EXPECT_EQ(canvas.BlockCopy(0, 1), (Copy{0, 5, 5, 5, -2, 5 + 20 - 3}));
  EXPECT_EQ(canvas.BlockCopy(54, 10), (Copy{270, 50, 5, 5, 270 - 2, 50 - 3}));
  EXPECT_EQ(anim.FrameNo, 1);
  EXPECT_EQ(canvas.refreshes, 1);
}

TEST(LogoAnimation, SpiralShrinksAndTurnsTenDegreesAFrame) {
  RecordingCanvas canvas;
  ScriptedRandom random({20.0 / 45, 350.0 / 360, 0.0});
  LogoAnimation anim(kLogoW, kLogoH, kCanvasW, kCanvasH, canvas, random.Source());
  for (int frame = 0; frame <= 9; ++frame) anim.Timer1_Timer();
  // Frame 9: angle 90, r = 20 x 41 / 50 = 16.4 below home.
  EXPECT_EQ(anim.BlockAngle(0, 0), 90);
  EXPECT_EQ(canvas.BlockCopy(0, 0), (Copy{0, 0, 5, 5, -2, 16 - 3}));
  for (int frame = 10; frame <= 18; ++frame) anim.Timer1_Timer();
  // Frame 18: angle 180, r = 20 x 32 / 50 = 12.8 to the left.
  EXPECT_EQ(canvas.BlockCopy(0, 0), (Copy{0, 0, 5, 5, -13 - 2, -3}));
}

TEST(LogoAnimation, EmptyLogoHasNothingToAnimate) {
  RecordingCanvas canvas;
  ScriptedRandom random({0.5});
  LogoAnimation anim(0, 0, kCanvasW, kCanvasH, canvas, random.Source());
  EXPECT_EQ(anim.AnimState, LogoAnimation::kIdle);
  anim.Timer1_Timer();
  EXPECT_EQ(random.draws, 0);
}

}  // namespace
}  // namespace tkt
