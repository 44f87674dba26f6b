#include "preview_win.h"

#include <windowsx.h>

#include <cmath>

#include "clock/face_render.h"
#include "designer/model/preview.h"
#include "designer/win/services_win.h"
#include "wincommon/font.h"

namespace designer::win {

namespace {
constexpr int kFacePx = 180;
}  // namespace

HWND PreviewWindow::Create(HWND parent, int x, int y, int w, int h, int id) {
  return CreateWindowOf(WS_EX_CLIENTEDGE, L"", WS_CHILD | WS_CLIPSIBLINGS, x, y, w, h, parent,
                        reinterpret_cast<HMENU>(INT_PTR(id)));
}

HFONT PreviewWindow::ReadoutFont() {
  if (!font_ || !(fontFor_ == form_.digitxt.font)) {
    const FontSpec& f = form_.digitxt.font;
    // The preview shows the face at its design size, whatever the screen's DPI.
    LOGFONTW lf = tkt::LogFontFor(f.name, f.size, {f.bold, f.italic, f.underline, f.strikethru}, tkt::kDesignDpi);
    lf.lfQuality = ANTIALIASED_QUALITY;
    font_.reset(CreateFontIndirectW(&lf));
    fontFor_ = f;
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
  const int x = int(std::floor(form_.digitxt.left / kTwipsPerPixel));
  const int y = int(std::floor(form_.digitxt.top / kTwipsPerPixel));
  return {x, y, x + size.cx, y + size.cy};
}

void PreviewWindow::Refresh() {
  if (!hwnd_) return;
  const RECT r = ReadoutRect();
  form_.digitxt.width = (r.right - r.left) * kTwipsPerPixel;
  form_.digitxt.height = (r.bottom - r.top) * kTwipsPerPixel;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void PreviewWindow::PaintContent(HDC dc, const RECT& rc) {
  const tkt::DibSection buffer = tkt::DibSection::Create(kFacePx, kFacePx);
  if (!buffer) return;
  tkt::MemoryDc memory(dc);
  tkt::SelectGuard selected(memory.get(), buffer.bitmap.get());

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const tkt::FaceScene scene =
      SceneOf(form_, [this](const std::string& name) { return artwork_.Picture(name); },
              faceformat::Rgb(GetRValue(face), GetGValue(face), GetBValue(face)));

  tkt::Canvas canvas{buffer.pixels, kFacePx, kFacePx, kFacePx};
  tkt::RenderFace(scene, canvas, canvas.bounds(), tkt::FaceLayer::BelowText);
  if (form_.digitxt.Shown()) {
    GdiFlush();
    tkt::SelectGuard font(memory.get(), ReadoutFont());
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), tkt::ToColorRef(form_.digitxt.foreColor));
    const RECT r = ReadoutRect();
    TextOutW(memory.get(), r.left, r.top, form_.digitxt.caption.c_str(), int(form_.digitxt.caption.size()));
    GdiFlush();
    // GDI leaves the unused byte of the pixels it touched at zero; the renderer keeps it zero as well.
  }
  tkt::RenderFace(scene, canvas, canvas.bounds(), tkt::FaceLayer::AboveText);
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
  const double x = at.x * kTwipsPerPixel, y = at.y * kTwipsPerPixel;
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
