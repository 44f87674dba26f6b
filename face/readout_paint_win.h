// The face with its read-out as both programs paint it: the renderer's lower layer, GDI's text, then the hands
// and the dot over the text.
#pragma once

#include <windows.h>

#include <string_view>

#include "face/face_render.h"

namespace tkt {

struct ReadoutText {
  std::wstring_view text;
  HFONT font = nullptr;
  COLORREF color = 0;
  POINT at{};
};

// `dc` has the pixels of `canvas` selected; only `clip` changes. Without a read-out only the face is drawn.
void PaintFaceAndReadout(HDC dc, const Canvas& canvas, const PixelRect& clip, const FaceScene& scene,
                         const ReadoutText* readout);

}  // namespace tkt
