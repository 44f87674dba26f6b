#include "designer/win/bitmap_op.h"

#include <algorithm>
#include <limits>

#include "wincommon/gdi.h"

namespace designer {
namespace {

struct BitmapLayout {
  BITMAPINFO info{};
  int32_t count = 0;  // w * h
};

// Steps shared by both directions: the bitmap's size, overflow checks and the 32-bit bottom-up header.
bool Describe(HBITMAP image, BitmapLayout& out) {
  BITMAP bm{};
  if (!image || GetObjectW(image, sizeof bm, &bm) != sizeof bm) return false;
  const long long w = bm.bmWidth, h = bm.bmHeight;
  if (w <= 0 || h <= 0) return false;
  const long long count = w * h;
  constexpr long long kMax = std::numeric_limits<int32_t>::max();
  if (count > kMax || count * 4 > kMax) return false;
  BITMAPINFOHEADER& hdr = out.info.bmiHeader;
  hdr.biSize = sizeof(BITMAPINFOHEADER);
  hdr.biWidth = LONG(w);
  hdr.biHeight = LONG(h);  // positive: rows run bottom-up
  hdr.biPlanes = 1;
  hdr.biBitCount = 32;
  hdr.biCompression = BI_RGB;
  hdr.biSizeImage = DWORD(count * 4);
  out.count = int32_t(count);
  return true;
}

}  // namespace

int32_t ReadImagePixels(HBITMAP image, std::vector<uint32_t>& pixels) {
  BitmapLayout layout;
  if (!Describe(image, layout)) return -1;
  tkt::MemoryDc dc(nullptr);
  if (!dc.get()) return -1;
  pixels.assign(size_t(layout.count) + 1, 0);
  const int rows = GetDIBits(dc.get(), image, 0, UINT(layout.info.bmiHeader.biHeight), pixels.data(), &layout.info,
                             DIB_RGB_COLORS);
  return rows != 0 ? layout.count : -1;
}

int32_t WriteImagePixels(HBITMAP image, const std::vector<uint32_t>& pixels) {
  BitmapLayout layout;
  if (!Describe(image, layout)) return -1;
  if (pixels.size() < size_t(layout.count)) return -1;
  tkt::MemoryDc dc(nullptr);
  if (!dc.get()) return -1;
  const int rows = SetDIBits(dc.get(), image, 0, UINT(layout.info.bmiHeader.biHeight), pixels.data(), &layout.info,
                             DIB_RGB_COLORS);
  return rows != 0 ? 0 : -1;
}

tkt::BitmapHandle CreateBitmapFromImage(const faceformat::Image& image) {
  if (image.width <= 0 || image.height <= 0) return {};
  const BITMAPINFO info = tkt::Bgra32Info(image.width, image.height);
  void* bits = nullptr;
  tkt::BitmapHandle bmp(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || !bits) return bmp;
  auto* dst = static_cast<uint32_t*>(bits);
  const size_t w = size_t(image.width);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(&image.pixels[size_t(y) * w], w, dst + size_t(image.height - 1 - y) * w);
  GdiFlush();
  return bmp;
}

}  // namespace designer
