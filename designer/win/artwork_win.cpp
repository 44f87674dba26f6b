#include "artwork_win.h"

#include <span>

#include "designer/win/resource.h"
#include "faceformat/bmp.h"
#include "wincommon/gdi.h"

namespace designer::win {

std::shared_ptr<const faceformat::Image> LoadBmpResource(HINSTANCE instance, int id) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(instance, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return nullptr;
  auto image = faceformat::DecodeBmp(std::span(static_cast<const uint8_t*>(data), SizeofResource(instance, found)));
  if (!image) return nullptr;
  return std::make_shared<const faceformat::Image>(std::move(*image));
}

const faceformat::Image* Artwork::Picture(const std::string& name) {
  auto it = cache_.find(name);
  if (it != cache_.end()) return it->second.get();
  std::shared_ptr<const faceformat::Image> image;
  if (name == "splash") {
    image = LoadBmpResource(instance_, IDR_SPLASH);
  } else if (name == "cuckoo-a") {
    image = LoadBmpResource(instance_, IDR_CUCKOO_A);
  } else if (name == "cuckoo-b") {
    image = LoadBmpResource(instance_, IDR_CUCKOO_B);
  } else if (name.rfind("sample:", 0) == 0 && !baseDir_.empty()) {
    const std::string sample = name.substr(7);
    image = pictures_.Load(baseDir_ + L"\\sample\\" + std::wstring(sample.begin(), sample.end()) + L".bmp");
  }
  cache_[name] = image;
  return image.get();
}

HICON Artwork::Icon(int size) {
  auto it = icons_.find(size);
  if (it != icons_.end()) return it->second.get();
  auto& icon = icons_[size];
  icon.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_TKTTOOL), IMAGE_ICON, size, size, 0)));
  return icon.get();
}

namespace {
BITMAPINFO TopDownInfo(const faceformat::Image& image) { return tkt::Bgra32Info(image.width, -image.height); }
}  // namespace

void DrawImage(HDC dc, const faceformat::Image& image, int x, int y) {
  if (image.width <= 0 || image.height <= 0) return;
  BITMAPINFO info = TopDownInfo(image);
  SetDIBitsToDevice(dc, x, y, DWORD(image.width), DWORD(image.height), 0, 0, 0, UINT(image.height),
                    image.pixels.data(), &info, DIB_RGB_COLORS);
}

void DrawImageScaled(HDC dc, const faceformat::Image& image, const RECT& box) {
  if (image.width <= 0 || image.height <= 0) return;
  BITMAPINFO info = TopDownInfo(image);
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  POINT origin;
  SetBrushOrgEx(dc, 0, 0, &origin);
  StretchDIBits(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0, image.width, image.height,
                image.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
  SetStretchBltMode(dc, oldMode);
}

}  // namespace designer::win
