// Painting of the clock window: one PaintContent for the screen, WM_PRINTCLIENT and tests.
#include <cmath>

#include "face/display_scale.h"
#include "face/readout_paint_win.h"
#include "form1_win.h"
#include "wincommon/font.h"
#include "wincommon/text.h"

namespace tkt {

namespace {

// Outside the face picture the window shows the form's colour (only where a region reaches beyond it).
uint32_t FormBackground() {
  const COLORREF c = GetSysColor(COLOR_BTNFACE);
  return faceformat::PixelFromColorRef(int32_t(c));
}

}  // namespace

FaceScene Form1Window::Scene() const {
  return ScaleScene(SceneOf(model_, face_.width ? &face_ : nullptr, cuckoos_, FormBackground()), dpi());
}

void Form1Window::CreateReadoutFont() {
  const FontLook& f = model_.Label1.font;
  LOGFONTW lf = LogFontFor(AnsiToWide(f.name), f, dpi());
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfQuality = ANTIALIASED_QUALITY;
  readoutFont_.reset(CreateFontIndirectW(&lf));
}

// Where the read-out's text lies, with a little room for italic overhang; empty when hidden.
RECT Form1Window::ReadoutRect() {
  if (!model_.Label1.visible || !hwnd_) return {};
  const std::wstring text = AnsiToWide(model_.Label1.caption);
  // Measured in the back buffer's own DC: a window DC would cost a round to the window system every tick.
  RECT client;
  GetClientRect(hwnd_, &client);
  if (!back_.Ensure(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1))) return {};
  HDC dc = back_.dc();
  SIZE size{};
  {
    SelectGuard font(dc, readoutFont_ ? readoutFont_.get() : GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  }
  const int x = ScaleFromTwips(model_.Label1.left, dpi()), y = ScaleFromTwips(model_.Label1.top, dpi());
  const int slack = size.cy / 4 + 2;
  return {x - 2, y, x + size.cx + slack, y + size.cy + 1};
}

void Form1Window::RepaintChanges(const FaceScene& before, const RECT& readoutBefore) {
  const FaceScene after = Scene();
  PixelRect area;
  for (const PixelRect& r : ChangedAreas(before, after)) area = Union(area, r);
  const RECT readoutAfter = ReadoutRect();
  area = Union(area, ToPixelRect(readoutBefore));
  area = Union(area, ToPixelRect(readoutAfter));
  if (area.empty() || !IsWindowVisible(hwnd_)) return;
  PaintScene(WindowDc(hwnd_).get(), ToRect(area), after);
}

void Form1Window::PaintContent(HDC dc, const RECT& area) { PaintScene(dc, area, Scene()); }

void Form1Window::PaintScene(HDC dc, const RECT& area, const FaceScene& scene) {
  RECT client;
  GetClientRect(hwnd_, &client);
  if (!back_.Ensure(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1))) return;
  const PixelRect clip = Intersect(ToPixelRect(area), back_.canvas().bounds());
  if (clip.empty()) return;
  const std::wstring text = AnsiToWide(model_.Label1.caption);
  const ReadoutText readout{text, readoutFont_ ? readoutFont_.get() : HFONT(GetStockObject(DEFAULT_GUI_FONT)),
                            COLORREF(model_.Label1.color) & 0x00FFFFFF,
                            {ScaleFromTwips(model_.Label1.left, dpi()), ScaleFromTwips(model_.Label1.top, dpi())}};
  PaintFaceAndReadout(back_.dc(), back_.canvas(), clip, scene, model_.Label1.visible ? &readout : nullptr);
  BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, back_.dc(), clip.left, clip.top,
         SRCCOPY);
}

}  // namespace tkt
