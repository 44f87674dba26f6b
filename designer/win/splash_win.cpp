#include "splash_win.h"

#include "wincommon/gdi.h"

namespace designer::win {

namespace {
constexpr UINT_PTR kTimer = 1;
// 6060 x 4080 twips: the 402 x 270 picture inside a one-pixel edge.
constexpr int kWidth = 404, kHeight = 272;
}  // namespace

HWND SplashWindow::Show(UINT intervalMs) {
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  if (!CreateWindowOf(WS_EX_TOOLWINDOW, L"Tocktide", WS_POPUP, x, y, kWidth, kHeight, nullptr)) return nullptr;
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetTimer(hwnd_, kTimer, intervalMs, nullptr);
  return hwnd_;
}

void SplashWindow::PaintContent(HDC dc, const RECT& rc) {
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  if (const faceformat::Image* picture = artwork_.Picture("splash")) DrawImage(dc, *picture, 1, 1);
  RECT edge{0, 0, kWidth, kHeight};
  FrameRect(dc, &edge, GetSysColorBrush(COLOR_3DDKSHADOW));
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
