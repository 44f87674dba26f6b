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
inline void PaintFaceAndReadout(HDC dc, const Canvas& canvas, const PixelRect& clip, const FaceScene& scene,
                                const ReadoutText* readout) {
  RenderFace(scene, canvas, clip, FaceLayer::BelowText);
  if (readout) {
    GdiFlush();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SelectObject(dc, readout->font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, readout->color);
    TextOutW(dc, readout->at.x, readout->at.y, readout->text.data(), int(readout->text.size()));
    RestoreDC(dc, saved);
    // GDI's text must be in the pixels before the hands go over it. GDI leaves the unused byte of the pixels
    // it touched at zero; the renderer keeps it zero as well.
    GdiFlush();
  }
  RenderFace(scene, canvas, clip, FaceLayer::AboveText);
}

}  // namespace tkt
