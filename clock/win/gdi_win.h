// Owners for GDI handles and the clock's back buffer. Copying is deleted; ownership moves.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

#include "clock/raster.h"

namespace tkt {

template <class H>
class UniqueGdi {
 public:
  UniqueGdi() = default;
  explicit UniqueGdi(H h) : h_(h) {}
  UniqueGdi(UniqueGdi&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  UniqueGdi& operator=(UniqueGdi&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, nullptr));
    return *this;
  }
  UniqueGdi(const UniqueGdi&) = delete;
  UniqueGdi& operator=(const UniqueGdi&) = delete;
  ~UniqueGdi() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  // For handing the object to an owner such as SetWindowRgn, once it has accepted it.
  H release() { return std::exchange(h_, nullptr); }
  void reset(H h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
};

using UniqueRgn = UniqueGdi<HRGN>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueFont = UniqueGdi<HFONT>;

class UniqueMemDC {
 public:
  UniqueMemDC() = default;
  explicit UniqueMemDC(HDC dc) : dc_(dc) {}
  UniqueMemDC(const UniqueMemDC&) = delete;
  UniqueMemDC& operator=(const UniqueMemDC&) = delete;
  ~UniqueMemDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

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
  HDC dc_;
  PAINTSTRUCT ps_{};
};

// A 32-bit top-down DIB section selected into its own memory DC: GDI and our rasterizer draw into the
// same pixels. Call GdiFlush() between GDI drawing and touching the pixels.
class BackBuffer {
 public:
  BackBuffer() = default;
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  ~BackBuffer() { Free(); }

  bool Ensure(int width, int height);
  HDC dc() const { return dc_; }
  Canvas canvas() const { return {bits_, width_, height_, width_}; }

 private:
  void Free();
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

inline PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace tkt
