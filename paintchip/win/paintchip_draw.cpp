// CPaintChipCtrl::OnDraw: the one drawing routine for the window, IViewObject::Draw and tests.
#include <olectl.h>

#include "paintchip/chip_geometry.h"
#include "paintchip/win/paintchip_ctrl.h"
#include "wincommon/gdi.h"

namespace paintchip {
namespace {
RECT ToRect(const ChipRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A bitmap can be selected into one DC at a time, and DrawState selects it: controls of two
// apartments drawing at once take turns with the shared arrow.
SRWLOCK s_arrowLock = SRWLOCK_INIT;
}  // namespace

void CPaintChipCtrl::OnDraw(HDC dc, const RECT& bounds) {
  FillRect(dc, &bounds, GetSysColorBrush(COLOR_BTNFACE));
  const ChipRect r{bounds.left, bounds.top, bounds.right, bounds.bottom};
  RECT swatch = ToRect(SwatchPart(r, s_arrowPartWidth));
  RECT arrow = ToRect(ArrowPart(r, s_arrowPartWidth));
  DrawEdge(dc, &swatch, m_swatchDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  DrawEdge(dc, &arrow, m_arrowDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  tkt::GdiObject<HBRUSH> textBrush(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
  RECT well = ToRect(ColorWell(SwatchPart(r, s_arrowPartWidth)));
  const bool enabled = GetEnabled();
  if (enabled) {
    // System colours (0x80000000 + index) are stored as given and shown as they are now.
    COLORREF shown = 0;
    if (FAILED(OleTranslateColor(m_color, nullptr, &shown))) shown = m_color & 0x00FFFFFF;
    tkt::GdiObject<HBRUSH> fill(CreateSolidBrush(shown));
    FillRect(dc, &well, fill.get());
    // A well the colour of the button face would vanish: frame it.
    if (shown == GetSysColor(COLOR_BTNFACE)) FrameRect(dc, &well, textBrush.get());
  } else {
    DrawEdge(dc, &well, EDGE_ETCHED, BF_RECT);
  }

  // Keyboard focus: a dotted frame between the swatch's edge and its colour well.
  if (HWND wnd = ControlWindow(); wnd && GetFocus() == wnd) {
    RECT focus = ToRect(SwatchPart(r, s_arrowPartWidth).Inflated(-3));
    DrawFocusRect(dc, &focus);
  }

  const ChipPoint glyph = GlyphOrigin(ArrowPart(r, s_arrowPartWidth), s_arrowSize.cx, s_arrowSize.cy);
  if (s_arrowBitmap) {
    AcquireSRWLockExclusive(&s_arrowLock);
    DrawStateA(dc, textBrush.get(), nullptr, reinterpret_cast<LPARAM>(s_arrowBitmap), 0, glyph.x, glyph.y,
               s_arrowSize.cx, s_arrowSize.cy, DST_BITMAP | (enabled ? DSS_MONO : DSS_DISABLED));
    ReleaseSRWLockExclusive(&s_arrowLock);
  }
}

}  // namespace paintchip
