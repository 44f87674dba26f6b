#include "designer/win/maker_picture.h"

#include <filesystem>

#include "designer/win/bitmap_op.h"
#include "faceformat/bmp.h"
#include "wincommon/gdi.h"

namespace designer {

bool WinMakerPicture::Load(const std::wstring& path) {
  // Only our own reader, as in the preview and the clock, so that all three take the same files (Wine's
  // LoadImage also turns top-down files black). A DIB section keeps a palette picture's colours.
  auto image = faceformat::ReadBmpFile(std::filesystem::path(path));
  if (!image) return false;
  tkt::BitmapHandle loaded = CreateBitmapFromImage(*image);
  if (!loaded) return false;
  BITMAP bm{};
  if (GetObjectW(loaded.get(), sizeof bm, &bm) != sizeof bm) return false;
  Clear();
  bitmap_ = std::move(loaded);
  width_ = bm.bmWidth;
  height_ = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  Changed();
  return true;
}

void WinMakerPicture::Clear() {
  bitmap_.reset();
  width_ = height_ = 0;
  Changed();
}

int32_t WinMakerPicture::ReadPixels(std::vector<uint32_t>& pixels) { return ReadImagePixels(bitmap_.get(), pixels); }

int32_t WinMakerPicture::WritePixels(const std::vector<uint32_t>& pixels) {
  const int32_t r = WriteImagePixels(bitmap_.get(), pixels);
  Changed();
  return r;
}

void WinMakerPicture::Paint(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  tkt::MemoryDc mem(dc);
  if (!mem) return;
  mem.Select(bitmap_.get());
  BitBlt(dc, x, y, width_, height_, mem.get(), 0, 0, SRCCOPY);
}

}  // namespace designer
