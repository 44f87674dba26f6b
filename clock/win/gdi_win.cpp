#include "gdi_win.h"

namespace tkt {

bool BackBuffer::Ensure(int width, int height) {
  if (dc_ && width == width_ && height == height_) return true;
  Free();
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top row first, as Canvas expects
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (!bitmap_ || !dc_ || !bits) {
    Free();
    return false;
  }
  old_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width, height_ = height;
  return true;
}

void BackBuffer::Free() {
  if (dc_ && old_) SelectObject(dc_, old_);
  if (dc_) DeleteDC(dc_);
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr, bitmap_ = nullptr, old_ = nullptr, bits_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace tkt
