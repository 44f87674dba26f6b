// File layouts we write ourselves: Windows icons and RIFF/WAVE sound.
#pragma once

#include <cstdint>
#include <vector>

#include "art/canvas.h"

namespace art {

// One .ico holding every canvas (square, up to 256 pixels) as a 32-bit image with alpha and its AND mask.
std::vector<uint8_t> EncodeIco(const std::vector<const Canvas*>& images);

// 16-bit PCM, one channel.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate);

}  // namespace art
