// The layout's 96-DPI boxes at a window's DPI. Edges are scaled, not sizes, so boxes that touch at 96 DPI
// still touch and never overlap.
#pragma once

#include <windows.h>

#include "designer/model/layout.h"
#include "wincommon/dpi.h"

namespace designer::win {

inline RECT ScaledRect(const PixelBox& box, int dpi) {
  return {tkt::ScaleFromPixels96(box.x, dpi), tkt::ScaleFromPixels96(box.y, dpi),
          tkt::ScaleFromPixels96(box.right(), dpi), tkt::ScaleFromPixels96(box.bottom(), dpi)};
}

inline void MoveTo(HWND window, const RECT& r) {
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

}  // namespace designer::win
