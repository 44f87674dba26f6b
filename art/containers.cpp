#include "art/containers.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace art {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

uint8_t Channel(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

// BITMAPINFOHEADER with twice the height (colour rows, then mask rows), bottom-up BGRA, then the mask.
std::vector<uint8_t> IconImage(const Canvas& c) {
  const int n = c.width();
  const int maskStride = ((n + 31) / 32) * 4;
  std::vector<uint8_t> out;
  Put32(out, 40);
  Put32(out, uint32_t(n));
  Put32(out, uint32_t(2 * n));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, uint32_t(n * n * 4 + maskStride * n));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; ++x) {
      const Color p = c.At(x, y);
      const uint8_t a = Channel(p.a);
      out.push_back(a ? Channel(p.b) : 0);
      out.push_back(a ? Channel(p.g) : 0);
      out.push_back(a ? Channel(p.r) : 0);
      out.push_back(a);
    }
  }
  // Systems that ignore alpha cut where the picture is less than half opaque.
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(maskStride), 0);
    for (int x = 0; x < n; ++x) {
      if (c.At(x, y).a < 0.5) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeIco(const std::vector<const Canvas*>& images) {
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, uint16_t(images.size()));
  std::vector<std::vector<uint8_t>> bodies;
  for (const Canvas* c : images) bodies.push_back(IconImage(*c));
  uint32_t offset = uint32_t(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int n = images[i]->width();
    out.push_back(uint8_t(n >= 256 ? 0 : n));
    out.push_back(uint8_t(n >= 256 ? 0 : n));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, uint32_t(bodies[i].size()));
    Put32(out, offset);
    offset += uint32_t(bodies[i].size());
  }
  for (const auto& b : bodies) out.insert(out.end(), b.begin(), b.end());
  return out;
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate) {
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, uint32_t(sampleRate));
  Put32(out, uint32_t(sampleRate * 2));
  Put16(out, 2);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (int16_t s : samples) Put16(out, uint16_t(s));
  return out;
}

}  // namespace art
