// The cuckoo call: two pipe notes a major third apart, falling.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

inline constexpr int kCuckooSampleRate = 22050;

// Mono 16-bit samples, about 0.75 s.
std::vector<int16_t> SynthesiseCuckoo();

}  // namespace art
