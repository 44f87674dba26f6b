#include "splash_win.h"

#include "face/display_scale.h"
#include "wincommon/gdi.h"

namespace designer::win {

namespace {
constexpr UINT_PTR kTimer = 1;
// 6060 x 4080 twips: the 402 x 270 picture inside a one-pixel edge.
constexpr int kPictureW = 402, kPictureH = 270;
int EdgeAt(int dpi) { return tkt::ScaleFromPixels96(1, dpi); }
}  // namespace

SIZE SplashWindow::SizeAt(int dpi) const {
  return {tkt::ScaledSize(kPictureW, dpi) + 2 * EdgeAt(dpi), tkt::ScaledSize(kPictureH, dpi) + 2 * EdgeAt(dpi)};
}

HWND SplashWindow::Show(UINT intervalMs) {
  if (!CreateWindowOf(WS_EX_TOOLWINDOW, L"Tocktide", WS_POPUP, 0, 0, 0, 0, nullptr)) return nullptr;
  // Sized once the window knows its DPI; centred on the screen.
  const SIZE size = SizeAt(dpi());
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetTimer(hwnd_, kTimer, intervalMs, nullptr);
  return hwnd_;
}

const faceformat::Image* SplashWindow::Picture() {
  const faceformat::Image* picture = artwork_.Picture("splash");
  if (!picture || dpi() == tkt::kDesignDpi) return picture;
  if (scaledDpi_ != dpi()) {
    scaled_ = tkt::ScalePicture(*picture, dpi());
    scaledDpi_ = dpi();
  }
  return &scaled_;
}

void SplashWindow::PaintContent(HDC dc, const RECT& rc) {
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  const int edge = EdgeAt(dpi());
  if (const faceformat::Image* picture = Picture()) DrawImage(dc, *picture, edge, edge);
  const SIZE size = SizeAt(dpi());
  for (int i = 0; i < edge; ++i) {
    RECT r{i, i, size.cx - i, size.cy - i};
    FrameRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW));
  }
}

LRESULT SplashWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintThrough(msg, wp);
    case WM_TIMER:
      // Hidden, not closed; the splash never comes back.
      KillTimer(hwnd_, kTimer);
      ShowWindow(hwnd_, SW_HIDE);
      if (done_) done_();
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace designer::win
