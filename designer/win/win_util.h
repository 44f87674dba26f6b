// Small owners for the designer's window code: GDI objects, memory DCs, paint scopes; none copies.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace designer::win {

template <class H>
class Gdi {
 public:
  Gdi() = default;
  explicit Gdi(H handle) : handle_(handle) {}
  ~Gdi() { reset(); }
  Gdi(const Gdi&) = delete;
  Gdi& operator=(const Gdi&) = delete;
  Gdi(Gdi&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Gdi& operator=(Gdi&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  void reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  H handle_ = nullptr;
};

// Selects an object into a DC for the scope and puts the previous one back.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& rect() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Packed red-low colours are COLORREFs already.
inline COLORREF ToColorRef(int color) { return COLORREF(color) & 0x00FFFFFF; }

}  // namespace designer::win
