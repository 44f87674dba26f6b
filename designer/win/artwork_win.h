// The pictures the designer shows: its own artwork from resources, the sample faces from the sample
// folder, and drawing an Image into a DC. A picture that is missing is simply not drawn.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "designer/model/services.h"
#include "faceformat/image.h"
#include "wincommon/handle.h"

namespace designer::win {

class Artwork {
 public:
  Artwork(HINSTANCE instance, PictureService& pictures) : instance_(instance), pictures_(pictures) {}
  Artwork(const Artwork&) = delete;
  Artwork& operator=(const Artwork&) = delete;

  void SetBaseDir(const std::wstring& baseDir) { baseDir_ = baseDir; }
  // "splash", "cuckoo-a", "cuckoo-b" from resources; "sample:NAME" from baseDir\sample\NAME.bmp.
  const faceformat::Image* Picture(const std::string& name);
  HICON Icon(int size);

 private:
  HINSTANCE instance_;
  PictureService& pictures_;
  std::wstring baseDir_;
  std::map<std::string, std::shared_ptr<const faceformat::Image>> cache_;
  std::map<int, tkt::IconHandle> icons_;
};

// Decodes a BMP file stored as RCDATA; null when the resource is absent or damaged.
std::shared_ptr<const faceformat::Image> LoadBmpResource(HINSTANCE instance, int id);

// Draws at (x, y) unscaled, or scaled into `box` with halftoning.
void DrawImage(HDC dc, const faceformat::Image& image, int x, int y);
void DrawImageScaled(HDC dc, const faceformat::Image& image, const RECT& box);

}  // namespace designer::win
