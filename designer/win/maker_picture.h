// Picture1 of the region file maker: the loaded bitmap, its pixels, and its painting.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "designer/model/rgpmaker_model.h"
#include "wincommon/handle.h"

namespace designer {

class WinMakerPicture : public MakerPicture {
 public:
  WinMakerPicture() = default;
  ~WinMakerPicture() override {
    onChanged_ = nullptr;
    Clear();
  }
  WinMakerPicture(const WinMakerPicture&) = delete;
  WinMakerPicture& operator=(const WinMakerPicture&) = delete;

  // Called after the picture changes, so the window can resize and redraw the area.
  void SetChanged(void (*onChanged)(void*), void* context) {
    onChanged_ = onChanged;
    context_ = context;
  }

  bool Load(const std::wstring& path) override;
  void Clear() override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int32_t ReadPixels(std::vector<uint32_t>& pixels) override;
  int32_t WritePixels(const std::vector<uint32_t>& pixels) override;
  bool Show(const faceformat::Image& picture) override;

  // Draws the picture at its own size with its top-left corner at (x, y).
  void Paint(HDC dc, int x, int y) const;
  HBITMAP bitmap() const { return bitmap_.get(); }

 private:
  bool Take(tkt::BitmapHandle loaded);
  void Changed() {
    if (onChanged_) onChanged_(context_);
  }
  tkt::BitmapHandle bitmap_;
  int width_ = 0, height_ = 0;
  void (*onChanged_)(void*) = nullptr;
  void* context_ = nullptr;
};

// PNG, JPEG, GIF (first frame) and TIFF through WIC. COM must be initialised on the calling thread.
class WicPictureDecoder : public PictureDecoder {
 public:
  std::optional<faceformat::Image> Decode(const std::wstring& path, int32_t maxPixels) override;
};

}  // namespace designer
