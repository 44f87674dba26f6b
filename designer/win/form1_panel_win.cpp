// The page panels of the main designer window: the shapes and pictures they paint, the clicks on the
// pictures, the colours of the controls on them.
#include "form1_win.h"

#include "designer/model/layout.h"

namespace designer::win {

LRESULT Form1Window::ControlColor(HDC dc, HWND child, bool edit) {
  Binding* b = Find(child);
  if (b) {
    if (auto* field = As<TextBox>(*b->place.control)) {
      SetBkColor(dc, tkt::ToColorRef(field->backColor));
      SetTextColor(dc, GetSysColor(field->enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
      return reinterpret_cast<LRESULT>(fieldBrush_.get());
    }
    SetTextColor(dc, tkt::ToColorRef(b->place.control->foreColor));
  }
  (void)edit;
  SetBkColor(dc, pageColor_);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(pageBrush_.get());
}

void Form1Window::PaintPanel(HWND panel, HDC dc) {
  for (Binding& b : bindings_) {
    if (b.hwnd || PanelOf(PageOfFrame(b.place.frame)) != panel) continue;
    Control& c = *b.place.control;
    if (!VisibleOnPage(c, b.place.frame)) continue;
    RECT r = BoxOf(b.place);
    if (b.place.look == Look::Outline) {
      DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    } else if (auto* shape = As<Shape>(c); shape && b.place.look == Look::Swatch) {
      tkt::GdiObject<HBRUSH> fill(CreateSolidBrush(tkt::ToColorRef(shape->fillColor)));
      FillRect(dc, &r, fill.get());
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    } else if (auto* image = As<ImageBox>(c)) {
      if (image->resource == "icon") {
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (HICON icon = artwork_.Icon(w)) DrawIconEx(dc, r.left, r.top, icon, w, h, 0, nullptr, DI_NORMAL);
      } else if (const faceformat::Image* picture = artwork_.Picture(image->resource)) {
        DrawImageScaled(dc, *picture, r);
      }
    }
  }
}

// A click on a picture beside an option chooses the option.
void Form1Window::ClickPanel(HWND panel, POINT at) {
  for (Binding& b : bindings_) {
    if (b.hwnd || PanelOf(PageOfFrame(b.place.frame)) != panel) continue;
    const RECT r = BoxOf(b.place);
    if (!PtInRect(&r, at) || !VisibleOnPage(*b.place.control, b.place.frame)) continue;
    if (form_.Picture_Click(*b.place.control)) {
      Sync();
      return;
    }
  }
}

HWND Form1Window::PagePanel::Create(const RECT& at, HWND parent) {
  return CreateWindowOf(WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, at.left, at.top,
                        at.right - at.left, at.bottom - at.top, parent);
}

LRESULT Form1Window::PagePanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return owner_.HandlePanel(hwnd_, msg, wp, lp);
}

LRESULT Form1Window::HandlePanel(HWND panel, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(panel, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, pageBrush_.get());
      return 1;
    }
    case WM_PAINT: {
      tkt::PaintScope paint(panel);
      PaintPanel(panel, paint.dc());
      return 0;
    }
    case WM_LBUTTONDOWN:
      ClickPanel(panel, {short(LOWORD(lp)), short(HIWORD(lp))});
      return 0;
    case WM_COMMAND:
      if (Command(reinterpret_cast<HWND>(lp), HIWORD(wp))) return 0;
      break;
    case WM_HSCROLL:
      Scroll(reinterpret_cast<HWND>(lp), LOWORD(wp));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), false);
    case WM_CTLCOLOREDIT:
      return ControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), true);
    case WM_CTLCOLORSCROLLBAR:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
  }
  return DefWindowProcW(panel, msg, wp, lp);
}

}  // namespace designer::win
