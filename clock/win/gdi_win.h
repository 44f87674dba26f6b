// The clock's back buffer and the conversions between GDI rectangles and the rasterizer's.
#pragma once

#include <windows.h>

#include <optional>
#include <utility>

#include "face/raster.h"
#include "wincommon/gdi.h"

namespace tkt {

// A DIB section selected into its own memory DC: GDI and our rasterizer draw into the same pixels.
// Call GdiFlush() between GDI drawing and touching the pixels.
class BackBuffer {
 public:
  bool Ensure(int width, int height) {
    if (dib_ && width == dib_.width && height == dib_.height) return true;
    dc_.reset();  // puts the old bitmap out before it is deleted
    dib_ = {};
    DibSection dib = DibSection::Create(width, height);
    MemoryDc dc(nullptr);
    if (!dib || !dc) return false;
    dc.Select(dib.bitmap.get());
    dib_ = std::move(dib);
    dc_.emplace(std::move(dc));
    return true;
  }
  HDC dc() const { return dc_ ? dc_->get() : nullptr; }
  Canvas canvas() const { return {dib_.pixels, dib_.width, dib_.height, dib_.width}; }

 private:
  DibSection dib_;
  std::optional<MemoryDc> dc_;  // after dib_, so it goes first
};

inline PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace tkt
