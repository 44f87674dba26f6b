#include "designer/win/maker_picture.h"

#include <wincodec.h>

#include <filesystem>

#include "designer/win/bitmap_op.h"
#include "faceformat/bmp.h"
#include "wincommon/com.h"
#include "wincommon/gdi.h"

namespace designer {

bool WinMakerPicture::Load(const std::wstring& path) {
  // Only our own reader, as in the preview and the clock, so that all three take the same files (Wine's
  // LoadImage also turns top-down files black). A DIB section keeps a palette picture's colours.
  auto image = faceformat::ReadBmpFile(std::filesystem::path(path));
  if (!image) return false;
  return Take(CreateBitmapFromImage(*image));
}

bool WinMakerPicture::Show(const faceformat::Image& picture) { return Take(CreateBitmapFromImage(picture)); }

bool WinMakerPicture::Take(tkt::BitmapHandle loaded) {
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

std::optional<faceformat::Image> WicPictureDecoder::Decode(const std::wstring& path, int32_t maxPixels) {
  tkt::ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.put()))))
    return std::nullopt;
  tkt::ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                decoder.put())))
    return std::nullopt;
  tkt::ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.put()))) return std::nullopt;
  UINT w = 0, h = 0;
  if (FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return std::nullopt;
  faceformat::Image image;
  image.width = int(w);
  image.height = int(h);
  if (uint64_t(w) * h > uint64_t(maxPixels > 0 ? maxPixels : 0)) return image;
  // Straight (not premultiplied) alpha, so a half-transparent edge keeps its colour.
  tkt::ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.put())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return std::nullopt;
  image.pixels.assign(size_t(w) * h, 0);
  if (FAILED(converter->CopyPixels(nullptr, w * 4, UINT(image.pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(image.pixels.data()))))
    return std::nullopt;
  return image;
}

}  // namespace designer
