#include "preview_win.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "face/display_scale.h"
#include "face/face_render.h"
#include "face/readout_paint_win.h"
#include "designer/win/services_win.h"
#include "wincommon/font.h"

namespace designer::win {

namespace {
constexpr int kFacePx = 180;
constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS, kExStyle = WS_EX_CLIENTEDGE;

// A scaled pixel back on the 96-DPI grid.
double TwipsOnTheDesignGrid(int pixel, int dpi) {
  return MulDiv(pixel, tkt::kDesignDpi, dpi) * tkt::kDesignTwipsPerPixel;
}
}  // namespace

HWND PreviewWindow::Create(HWND parent, int id) {
  return CreateWindowOf(kExStyle, L"", kStyle, 0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(id)));
}

void PreviewWindow::Place(const RECT& box, int dpi) {
  faceDpi_ = dpi;
  const int face = tkt::ScaledSize(kFacePx, dpi);
  const RECT outer = tkt::WindowRectForClient({0, 0, face, face}, kStyle, kExStyle, dpi);
  SetWindowPos(hwnd_, nullptr, box.left, box.top, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Refresh();
}

HFONT PreviewWindow::ReadoutFont() {
  if (!font_ || !(fontFor_ == form_.digitxt.font) || fontDpi_ != faceDpi_) {
    const FontLook& f = form_.digitxt.font;
    // The size the clock gives the read-out on this monitor.
    LOGFONTW lf = tkt::LogFontFor(f.name, f, faceDpi_);
    lf.lfQuality = ANTIALIASED_QUALITY;
    font_.reset(CreateFontIndirectW(&lf));
    fontFor_ = f;
    fontDpi_ = faceDpi_;
  }
  return font_.get();
}

// The read-out sizes itself to its text, so the place it can be grabbed is the place it is drawn.
RECT PreviewWindow::ReadoutRect() {
  SIZE size{};
  {
    tkt::WindowDc dc(hwnd_);
    tkt::SelectGuard font(dc.get(), ReadoutFont());
    GetTextExtentPoint32W(dc.get(), form_.digitxt.caption.c_str(), int(form_.digitxt.caption.size()), &size);
  }
  const int x = tkt::ScaleFromTwips(float(form_.digitxt.left), faceDpi_);
  const int y = tkt::ScaleFromTwips(float(form_.digitxt.top), faceDpi_);
  return {x, y, x + size.cx, y + size.cy};
}

void PreviewWindow::Refresh() {
  if (!hwnd_) return;
  const RECT r = ReadoutRect();
  const double twipsPerPixel = tkt::SceneTwipsPerPixel(faceDpi_);
  form_.digitxt.width = (r.right - r.left) * twipsPerPixel;
  form_.digitxt.height = (r.bottom - r.top) * twipsPerPixel;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void PreviewWindow::PaintContent(HDC dc, const RECT& rc) {
  const int facePx = tkt::ScaledSize(kFacePx, faceDpi_);
  const int w = std::max<int>(facePx, rc.right), h = std::max<int>(facePx, rc.bottom);
  const tkt::DibSection buffer = tkt::DibSection::Create(w, h);
  if (!buffer) return;
  tkt::MemoryDc memory(dc);
  tkt::SelectGuard selected(memory.get(), buffer.bitmap.get());

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const tkt::FaceScene scene =
      scaled_.SceneAt(form_, [this](const std::string& name) { return artwork_.Picture(name); },
                      faceformat::Rgb(GetRValue(face), GetGValue(face), GetBValue(face)), faceDpi_);

  const tkt::Canvas canvas{buffer.pixels, w, h, w};
  std::optional<tkt::ReadoutText> readout;
  if (form_.digitxt.Shown()) {
    const RECT r = ReadoutRect();
    readout = tkt::ReadoutText{form_.digitxt.caption, ReadoutFont(), tkt::ToColorRef(form_.digitxt.foreColor),
                               {r.left, r.top}};
  }
  tkt::PaintFaceAndReadout(memory.get(), canvas, canvas.bounds(), scene, readout ? &*readout : nullptr);
  if (form_.opacityScroll.value < 100) {
    GdiFlush();
    BlendOver({buffer.pixels, size_t(w) * size_t(h)}, scene.background, form_.opacityScroll.value);
  }
  if (dragging_) DrawDragOutline(memory.get());
  BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, memory.get(), rc.left, rc.top, SRCCOPY);
}

// While dragging, a dotted outline of the read-out's size stands where it would land.
void PreviewWindow::DrawDragOutline(HDC dc) {
  const RECT r = ReadoutRect();
  RECT at{dragAt_.x, dragAt_.y, dragAt_.x + (r.right - r.left), dragAt_.y + (r.bottom - r.top)};
  DrawFocusRect(dc, &at);
}

void PreviewWindow::EndDrag(POINT at, bool drop) {
  dragging_ = false;
  if (GetCapture() == hwnd_) ReleaseCapture();
  RECT client;
  GetClientRect(hwnd_, &client);
  // Dropped on the face's 96-DPI pixels, as the face is designed.
  const double x = TwipsOnTheDesignGrid(at.x, faceDpi_), y = TwipsOnTheDesignGrid(at.y, faceDpi_);
  if (drop && PtInRect(&client, at) && form_.IsPreviewDropPoint(x, y)) form_.OLGPic1_DragDrop(form_.digitxt, x, y);
  if (changed_) changed_();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT PreviewWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintThrough(msg, wp);
    case WM_LBUTTONDOWN: {
      const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      const RECT r = ReadoutRect();
      if (form_.digitxt.Shown() && PtInRect(&r, p)) {
        dragging_ = true;
        dragAt_ = p;
        SetCapture(hwnd_);
        SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        dragAt_ = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) EndDrag({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, true);
      return 0;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lp) != hwnd_) EndDrag({-1, -1}, false);
      return 0;
    case WM_KEYDOWN:
      if (dragging_ && wp == VK_ESCAPE) EndDrag({-1, -1}, false);
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace designer::win
