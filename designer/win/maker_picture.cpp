#include "designer/win/maker_picture.h"

#include <filesystem>

#include "designer/win/bitmap_op.h"
#include "faceformat/bmp.h"

namespace designer {

bool WinMakerPicture::Load(const std::wstring& path) {
  // Only our own reader, as in the preview and the clock, so that all three take the same files (Wine's
  // LoadImage also turns top-down files black). A DIB section keeps a palette picture's colours.
  auto image = faceformat::ReadBmpFile(std::filesystem::path(path));
  if (!image) return false;
  HBITMAP loaded = CreateBitmapFromImage(*image);
  if (!loaded) return false;
  BITMAP bm{};
  if (GetObjectW(loaded, sizeof bm, &bm) != sizeof bm) {
    DeleteObject(loaded);
    return false;
  }
  Clear();
  bitmap_ = loaded;
  width_ = bm.bmWidth;
  height_ = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  Changed();
  return true;
}

void WinMakerPicture::Clear() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  width_ = height_ = 0;
  Changed();
}

int32_t WinMakerPicture::ReadPixels(std::vector<uint32_t>& pixels) { return ReadImagePixels(bitmap_, pixels); }

int32_t WinMakerPicture::WritePixels(const std::vector<uint32_t>& pixels) {
  const int32_t r = WriteImagePixels(bitmap_, pixels);
  Changed();
  return r;
}

void WinMakerPicture::Paint(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  HDC mem = CreateCompatibleDC(dc);
  if (!mem) return;
  HGDIOBJ old = SelectObject(mem, bitmap_);
  BitBlt(dc, x, y, width_, height_, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace designer
