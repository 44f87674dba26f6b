// The version window's logo animation: the logo cut into 5 x 5 blocks that spiral in from random places.
// Pure arithmetic; the window supplies the drawing surface and the random numbers. On a scaled display the
// logo and canvas are the window's scaled ones, the blocks grow with the scale and the animation keeps its
// number of frames, so it plays as long and looks the same as at 96 DPI.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "base/units.h"

namespace tkt {

// Nearest whole number, a half to the even neighbour (2.5 -> 2, -2.5 -> -2, 3.5 -> 4).
double RoundHalfEven(double x);

// Where the blocks go. Coordinates in pixels; the logo's pixels beyond its edge are the window's business.
class LogoCanvas {
 public:
  virtual ~LogoCanvas() = default;
  virtual void Clear() = 0;  // black from (0, 0) to (CW, CH)
  virtual void CopyFromLogo(int srcX, int srcY, int width, int height, int dstX, int dstY) = 0;
  virtual void Refresh() = 0;  // show what was drawn
};

// Uniform in [0, 1).
using RandomSource = std::function<double()>;

class LogoAnimation {
 public:
  static constexpr int16_t kIdle = -1;
  static constexpr int16_t kAnimating = 11;
  static constexpr int kBlock = 5;
  // A block's side at `dpi`: kBlock at 96.
  static int BlockAt(int dpi);

  // Form_Load steps 5 to 9: W, H the logo's size, CW, CH the canvas's inner size, all in pixels at `dpi`.
  // Draws the whole logo.
  LogoAnimation(int W, int H, int CW, int CH, LogoCanvas& canvas, RandomSource random, int dpi = kDesignDpi);

  void PaintLogo(std::string_view mode);
  void Timer1_Timer();

  int C() const { return C_; }
  int R() const { return R_; }
  int N() const { return N_; }
  int M() const { return M_; }
  int Block() const { return block_; }
  int16_t BlockRadius(int x, int y) const { return BlockRadius_[Index(x, y)]; }
  int16_t BlockAngle(int x, int y) const { return BlockAngle_[Index(x, y)]; }

  int16_t AnimState = kIdle;
  int32_t FrameNo = 0;
  int32_t LogoLeft = 0;
  int32_t LogoTop = 0;

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(x) * (R_ + 1) + y; }

  int W_, H_, CW_, CH_;
  int block_;
  int C_, R_, N_, M_;
  double DegToRad;
  LogoCanvas& canvas_;
  RandomSource random_;
  std::vector<int16_t> BlockRadius_;
  std::vector<int16_t> BlockAngle_;
};

}  // namespace tkt
