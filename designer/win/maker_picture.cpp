#include "designer/win/maker_picture.h"

#include <wincodec.h>

#include <filesystem>

#include "designer/win/bitmap_op.h"
#include "faceformat/bmp.h"

namespace designer {

bool WinMakerPicture::Load(const std::wstring& path) {
  // Our own reader first: Wine's LoadImage turns top-down files black. The platform loader stays for
  // the kinds ours does not read (compressed bitmaps). A DIB section keeps a palette picture's colours;
  // a device bitmap of a 1-bit file would be monochrome.
  HBITMAP loaded = nullptr;
  if (auto image = faceformat::ReadBmpFile(std::filesystem::path(path))) loaded = CreateBitmapFromImage(*image);
  if (!loaded)
    loaded = static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  return Take(loaded);
}

bool WinMakerPicture::Show(const faceformat::Image& picture) { return Take(CreateBitmapFromImage(picture)); }

bool WinMakerPicture::Take(HBITMAP loaded) {
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

namespace {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** put() { return &p_; }
  T* get() const { return p_; }
  T* operator->() const { return p_; }

 private:
  T* p_ = nullptr;
};

}  // namespace

std::optional<faceformat::Image> WicPictureDecoder::Decode(const std::wstring& path, int32_t maxPixels) {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.put()))))
    return std::nullopt;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                decoder.put())))
    return std::nullopt;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.put()))) return std::nullopt;
  UINT w = 0, h = 0;
  if (FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return std::nullopt;
  faceformat::Image image;
  image.width = int(w);
  image.height = int(h);
  if (uint64_t(w) * h > uint64_t(maxPixels > 0 ? maxPixels : 0)) return image;
  // Straight (not premultiplied) alpha, so a half-transparent edge keeps its colour.
  ComPtr<IWICFormatConverter> converter;
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
