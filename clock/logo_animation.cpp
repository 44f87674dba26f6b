#include "logo_animation.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

namespace tkt {

double RoundHalfEven(double x) {
  const double floor = std::floor(x);
  const double rest = x - floor;
  if (rest > 0.5) return floor + 1;
  if (rest < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

int LogoAnimation::BlockAt(int dpi) {
  if (dpi <= 0) return kBlock;
  return std::max(1, static_cast<int>(std::lround(double(kBlock) * dpi / kDesignDpi)));
}

LogoAnimation::LogoAnimation(int W, int H, int CW, int CH, LogoCanvas& canvas, RandomSource random, int dpi)
    : W_(W), H_(H), CW_(CW), CH_(CH), block_(BlockAt(dpi)), canvas_(canvas), random_(std::move(random)) {
  C_ = static_cast<int>(RoundHalfEven(double(W) / block_));
  R_ = static_cast<int>(RoundHalfEven(double(H) / block_));
  // One frame for each pixel of the logo's shorter side at 96 DPI.
  N_ = dpi > 0 && dpi != kDesignDpi ? static_cast<int>(RoundHalfEven(double(std::min(W, H)) * kDesignDpi / dpi))
                                    : std::min(W, H);
  // Radii are 16-bit; no canvas a window can hold comes near the limit, but the table must never wrap.
  M_ = std::clamp(std::min(CW, CH), 0, int{std::numeric_limits<int16_t>::max()});
  LogoTop = static_cast<int32_t>(RoundHalfEven(RoundHalfEven(CH / 2.0) - H / 2.0));
  LogoLeft = static_cast<int32_t>(RoundHalfEven(RoundHalfEven(CW / 2.0) - W / 2.0));
  DegToRad = std::atan(1.0) / 45;
  PaintLogo("");
  // An empty logo has no frames to play.
  if (N_ > 0) {
    AnimState = kAnimating;
    FrameNo = 0;
  }
}

void LogoAnimation::PaintLogo(std::string_view mode) {
  canvas_.Clear();
  if (mode.size() == 1 && std::toupper(static_cast<unsigned char>(mode[0])) == 'C') return;
  canvas_.CopyFromLogo(0, 0, W_, H_, LogoLeft, LogoTop);
  AnimState = kIdle;
}

void LogoAnimation::Timer1_Timer() {
  if (AnimState == kIdle) return;
  PaintLogo("C");
  if (AnimState == kAnimating) {
    if (FrameNo == 0) {
      const size_t blocks = static_cast<size_t>(C_ + 1) * (R_ + 1);
      BlockRadius_.assign(blocks, 0);
      BlockAngle_.assign(blocks, 0);
      for (int x = 0; x <= C_; ++x) {
        for (int y = 0; y <= R_; ++y) {
          BlockRadius_[Index(x, y)] = static_cast<int16_t>(RoundHalfEven(random_() * M_));
          BlockAngle_[Index(x, y)] = static_cast<int16_t>(RoundHalfEven(random_() * 360));
        }
      }
    }
    for (int x = 0; x <= C_; ++x) {
      for (int y = 0; y <= R_; ++y) {
        int16_t& angle = BlockAngle_[Index(x, y)];
        angle = static_cast<int16_t>(angle + 10);
        if (angle >= 360) angle = static_cast<int16_t>(angle - 360);
        const double r = static_cast<double>(int32_t{BlockRadius_[Index(x, y)]} * (N_ - FrameNo)) / N_;
        const double a = angle * DegToRad;
        const int dstX = static_cast<int>(RoundHalfEven(r * std::cos(a) + (block_ * x + LogoLeft)));
        const int dstY = static_cast<int>(RoundHalfEven(r * std::sin(a) + (block_ * y + LogoTop)));
        canvas_.CopyFromLogo(block_ * x, block_ * y, block_, block_, dstX, dstY);
      }
    }
    FrameNo += 1;
    if (FrameNo >= N_ + 1) AnimState = kIdle;
  }
  canvas_.Refresh();
}

}  // namespace tkt
