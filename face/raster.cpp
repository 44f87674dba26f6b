#include "raster.h"

#include <algorithm>
#include <cmath>

namespace tkt {

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (r.empty()) return {};
  return r;
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

uint32_t Blend(uint32_t under, uint32_t color, float coverage) {
  if (coverage >= 1.0f) return color & 0x00FFFFFF;
  if (coverage <= 0.0f) return under;
  const int a = int(coverage * 256.0f + 0.5f);
  auto mix = [a](uint32_t u, uint32_t v) { return (u * uint32_t(256 - a) + v * uint32_t(a) + 128) >> 8; };
  const uint32_t r = mix((under >> 16) & 0xFF, (color >> 16) & 0xFF);
  const uint32_t g = mix((under >> 8) & 0xFF, (color >> 8) & 0xFF);
  const uint32_t b = mix(under & 0xFF, color & 0xFF);
  return (r << 16) | (g << 8) | b;
}

void FillRect(const Canvas& c, const PixelRect& clip, const PixelRect& r, uint32_t color) {
  const PixelRect area = Intersect(Intersect(c.bounds(), clip), r);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) c.at(x, y) = color & 0x00FFFFFF;
}

void DrawImage(const Canvas& c, const PixelRect& clip, const faceformat::Image& image, int x, int y) {
  const PixelRect area = Intersect(Intersect(c.bounds(), clip), {x, y, x + image.width, y + image.height});
  for (int py = area.top; py < area.bottom; ++py)
    for (int px = area.left; px < area.right; ++px) c.at(px, py) = image.at(px - x, py - y) & 0x00FFFFFF;
}

namespace {

// Runs `coverageAt(centreX, centreY)` over every pixel of `bounds` within the canvas and clip.
template <class F>
void Cover(const Canvas& c, const PixelRect& clip, const PixelRect& bounds, uint32_t color, F coverageAt) {
  const PixelRect area = Intersect(Intersect(c.bounds(), clip), bounds);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const float cov = coverageAt(float(x) + 0.5f, float(y) + 0.5f);
      if (cov > 0.0f) c.at(x, y) = Blend(c.at(x, y), color, cov);
    }
  }
}

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

PixelRect OuterPixels(float left, float top, float right, float bottom) {
  return {int(std::floor(left)), int(std::floor(top)), int(std::floor(right)) + 1, int(std::floor(bottom)) + 1};
}

}  // namespace

PixelRect LineBounds(float x0, float y0, float x1, float y1, float width) {
  const float reach = std::max(width, 1.0f) / 2 + 0.5f;
  return OuterPixels(std::min(x0, x1) - reach, std::min(y0, y1) - reach, std::max(x0, x1) + reach,
                     std::max(y0, y1) + reach);
}

PixelRect CircleBounds(float cx, float cy, float outerRadius) {
  const float reach = outerRadius + 0.5f;
  return OuterPixels(cx - reach, cy - reach, cx + reach, cy + reach);
}

void DrawLine(const Canvas& c, const PixelRect& clip, float x0, float y0, float x1, float y1, float width,
              uint32_t color) {
  const float half = std::max(width, 1.0f) / 2;
  const double dx = double(x1) - x0, dy = double(y1) - y0;
  const double len2 = dx * dx + dy * dy;
  Cover(c, clip, LineBounds(x0, y0, x1, y1, width), color, [&](float px, float py) {
    double t = 0;
    if (len2 > 0) t = std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0, 1.0);
    const double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
    return Clamp01(half + 0.5f - float(std::sqrt(ex * ex + ey * ey)));
  });
}

void FillCircle(const Canvas& c, const PixelRect& clip, float cx, float cy, float radius, uint32_t color) {
  if (radius <= 0) return;
  Cover(c, clip, CircleBounds(cx, cy, radius), color, [&](float px, float py) {
    return Clamp01(radius + 0.5f - std::hypot(px - cx, py - cy));
  });
}

void StrokeCircle(const Canvas& c, const PixelRect& clip, float cx, float cy, float radius, float width,
                  uint32_t color) {
  if (radius <= 0) return;
  const float half = std::max(width, 1.0f) / 2;
  Cover(c, clip, CircleBounds(cx, cy, radius + half), color, [&](float px, float py) {
    return Clamp01(half + 0.5f - std::fabs(std::hypot(px - cx, py - cy) - radius));
  });
}

}  // namespace tkt
