// Anti-aliased drawing of our own into 32-bit pixels, so hands and circles look the same on every
// platform (Wine's GDI+ ignores smoothing). Coordinates are pixels with (x, y) the top-left corner of
// pixel (x, y); a pixel's centre is (x + 0.5, y + 0.5). Coverage comes from the distance between the
// pixel centre and the shape's edge, one pixel wide.
#pragma once

#include <cstddef>
#include <cstdint>

#include "faceformat/image.h"

namespace tkt {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  bool empty() const { return right <= left || bottom <= top; }
  bool operator==(const PixelRect&) const = default;
};

PixelRect Intersect(const PixelRect& a, const PixelRect& b);
// The smallest rectangle holding both; an empty one adds nothing.
PixelRect Union(const PixelRect& a, const PixelRect& b);

// A view of pixels owned elsewhere (an Image, a DIB section). 0x00RRGGBB, rows top first.
struct Canvas {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;  // pixels from one row to the next
  static Canvas Of(faceformat::Image& image) { return {image.pixels.data(), image.width, image.height, image.width}; }
  PixelRect bounds() const { return {0, 0, width, height}; }
  uint32_t& at(int x, int y) const { return pixels[y * stride + x]; }
};

// Mixes `color` over `under` with coverage 0..1.
uint32_t Blend(uint32_t under, uint32_t color, float coverage);

void FillRect(const Canvas& c, const PixelRect& clip, const PixelRect& r, uint32_t color);
// Copies `image` with its top-left corner at (x, y).
void DrawImage(const Canvas& c, const PixelRect& clip, const faceformat::Image& image, int x, int y);

// A segment `width` pixels thick with round caps. Widths below 1 draw as 1.
void DrawLine(const Canvas& c, const PixelRect& clip, float x0, float y0, float x1, float y1, float width,
              uint32_t color);
void FillCircle(const Canvas& c, const PixelRect& clip, float cx, float cy, float radius, uint32_t color);
// A ring `width` pixels thick centred on the circle of `radius`.
void StrokeCircle(const Canvas& c, const PixelRect& clip, float cx, float cy, float radius, float width,
                  uint32_t color);

// Every pixel the drawing functions above may change for these shapes.
PixelRect LineBounds(float x0, float y0, float x1, float y1, float width);
PixelRect CircleBounds(float cx, float cy, float outerRadius);

}  // namespace tkt
