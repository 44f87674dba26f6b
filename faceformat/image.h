// A 32-bit picture in memory: top row first, each pixel 0x00RRGGBB (the byte order of a 32-bit DIB).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace faceformat {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width * height, row 0 at the top

  Image() = default;
  Image(int w, int h, uint32_t fill = 0x00FFFFFF) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
  uint32_t& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  bool operator==(const Image&) const = default;
};

constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) { return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
constexpr uint8_t RedOf(uint32_t p) { return uint8_t(p >> 16); }
constexpr uint8_t GreenOf(uint32_t p) { return uint8_t(p >> 8); }
constexpr uint8_t BlueOf(uint32_t p) { return uint8_t(p); }

// Settings files and controls pack colours the other way round: red + 256 green + 65536 blue.
constexpr uint32_t PixelFromColorRef(int32_t c) { return Rgb(uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)); }

}  // namespace faceformat
