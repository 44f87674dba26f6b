#include "art/sound.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Note {
  double start, length, hz;
};

// Fixed-seed noise for the breath of the pipe: the same bytes on every run.
class Noise {
 public:
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return double(state_ >> 8) / double(1u << 23) - 1.0;
  }

 private:
  uint32_t state_ = 0x7A3C91u;
};

// A state-variable band pass around the note, so the breath sounds like air in that pipe.
class BandPass {
 public:
  BandPass(double hz, double q) : f_(2 * std::sin(kTwoPi / 2 * hz / kCuckooSampleRate)), damp_(1 / q) {}
  double Step(double in) {
    low_ += f_ * band_;
    const double high = in - low_ - damp_ * band_;
    band_ += f_ * high;
    return band_;
  }

 private:
  double f_, damp_, low_ = 0, band_ = 0;
};

}  // namespace

std::vector<int16_t> SynthesiseCuckoo() {
  const Note notes[2] = {{0.02, 0.25, 700}, {0.33, 0.37, 560}};
  const size_t total = size_t(0.74 * kCuckooSampleRate);
  std::vector<double> mix(total, 0.0);
  Noise noise;
  for (const Note& n : notes) {
    BandPass breath(n.hz, 6);
    double phase = 0;
    const size_t first = size_t(n.start * kCuckooSampleRate), count = size_t(n.length * kCuckooSampleRate);
    for (size_t i = 0; i < count && first + i < total; ++i) {
      const double t = double(i) / kCuckooSampleRate;
      const double attack = std::min(1.0, t / 0.03), fade = std::min(1.0, (n.length - t) / 0.09);
      const double env = attack * attack * (3 - 2 * attack) * std::sin(fade * kTwoPi / 4) * std::exp(-1.6 * t);
      // The pipe speaks slightly flat and settles, with a puff of air at the start.
      phase += kTwoPi * n.hz * (1 - 0.035 * std::exp(-t / 0.018)) / kCuckooSampleRate;
      const double tone = std::sin(phase) + 0.24 * std::sin(2 * phase + 0.4) + 0.07 * std::sin(3 * phase + 1.1);
      const double air = breath.Step(noise.Next()) * (0.35 + 1.8 * std::exp(-t / 0.025));
      mix[first + i] += env * (tone + air);
    }
  }
  // A gentle low pass softens the edges, like a wooden pipe.
  double low = 0, peak = 0;
  for (double& v : mix) {
    low += 0.45 * (v - low);
    v = low;
    peak = std::max(peak, std::abs(v));
  }
  std::vector<int16_t> out;
  out.reserve(total);
  for (double v : mix) out.push_back(int16_t(std::lround(v / peak * 0.6 * 32767)));
  return out;
}

}  // namespace art
