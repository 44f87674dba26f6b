// Owners for GDI DCs and the guards paint code uses; GdiObject<H> and the other handle owners are in handle.h.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "wincommon/handle.h"

namespace tkt {

// A memory DC compatible with `like` (the screen when null). Whatever Select displaces first of each kind
// (bitmap, font, brush, pen) is put back before the DC goes, in whatever order they were selected, so nothing
// of ours is left selected. (While the DC lives, an object selected in it cannot be deleted.)
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(MemoryDc&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), originals_(std::exchange(other.originals_, {})) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    if (this != &other) {
      Free();
      dc_ = std::exchange(other.dc_, nullptr);
      originals_ = std::exchange(other.originals_, {});
    }
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { Free(); }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void Select(HGDIOBJ object) {
    const HGDIOBJ previous = SelectObject(dc_, object);
    if (const int kind = KindOf(object); kind >= 0 && !originals_[kind]) originals_[kind] = previous;
  }

 private:
  static int KindOf(HGDIOBJ object) {
    switch (GetObjectType(object)) {
      case OBJ_BITMAP: return 0;
      case OBJ_FONT: return 1;
      case OBJ_BRUSH: return 2;
      case OBJ_PEN:
      case OBJ_EXTPEN: return 3;
      default: return -1;  // a region is copied, not selected
    }
  }
  void Free() {
    if (!dc_) return;
    for (HGDIOBJ original : originals_)
      if (original) SelectObject(dc_, original);
    DeleteDC(dc_);
    dc_ = nullptr, originals_ = {};
  }
  HDC dc_ = nullptr;
  std::array<HGDIOBJ, 4> originals_{};
};

// Selects an object into a DC for one scope and puts the previous one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint for one scope; EndPaint when it ends.
class PaintScope {
 public:
  explicit PaintScope(HWND wnd) : wnd_(wnd) { dc_ = BeginPaint(wnd, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(wnd_, &ps_); }

  HDC dc() const { return dc_; }
  const RECT& rect() const { return ps_.rcPaint; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// A top-down 32-bit DIB section whose pixels (0x00RRGGBB, top row first) can be read and written directly.
// Call GdiFlush() between GDI drawing into it and touching the pixels.
// 32 bits a pixel, 0x00RRGGBB. A negative height runs the rows top-down, as faceformat::Image does.
inline BITMAPINFO Bgra32Info(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

struct DibSection {
  GdiObject<HBITMAP> bitmap;
  uint32_t* pixels = nullptr;
  int width = 0, height = 0;

  // Empty (no bitmap) when it cannot be made.
  static DibSection Create(int width, int height) {
    DibSection dib;
    const BITMAPINFO info = Bgra32Info(width, -height);
    void* bits = nullptr;
    dib.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dib.bitmap && bits) {
      dib.pixels = static_cast<uint32_t*>(bits);
      dib.width = width;
      dib.height = height;
    } else {
      dib.bitmap.reset();
    }
    return dib;
  }
  explicit operator bool() const { return bool(bitmap); }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// Colours packed red in the low byte (0x00BBGGRR) are COLORREFs already, bar the top byte.
inline COLORREF ToColorRef(uint32_t packed) { return COLORREF(packed) & 0x00FFFFFF; }

}  // namespace tkt
