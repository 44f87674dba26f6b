#include "splash_win.h"

#include "wincommon/gdi.h"

namespace designer::win {

namespace {
constexpr wchar_t kClass[] = L"TktDesignerForm3";
constexpr UINT_PTR kTimer = 1;
// 6060 x 4080 twips: the 402 x 270 picture inside a one-pixel edge.
constexpr int kWidth = 404, kHeight = 272;
}  // namespace

void SplashWindow::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_APPSTARTING);
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);
}

HWND SplashWindow::Show(UINT intervalMs) {
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"Tocktide", WS_POPUP, x, y, kWidth, kHeight, nullptr, nullptr,
                  GetModuleHandleW(nullptr), this);
  if (!hwnd_) return nullptr;
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

LRESULT CALLBACK SplashWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<SplashWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      tkt::PaintScope paint(hwnd);
      RECT rc;
      GetClientRect(hwnd, &rc);
      self->PaintContent(paint.dc(), rc);
      return 0;
    }
    case WM_TIMER:
      // Hidden, not closed; the splash never comes back.
      KillTimer(hwnd, kTimer);
      ShowWindow(hwnd, SW_HIDE);
      if (self->done_) self->done_();
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace designer::win
