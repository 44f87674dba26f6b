// CPaintChipCtrl::OnDraw: the one drawing routine for the window, IViewObject::Draw and tests.
#include <olectl.h>

#include <vector>

#include "paintchip/chip_geometry.h"
#include "paintchip/win/paintchip_ctrl.h"
#include "wincommon/gdi.h"

namespace paintchip {
namespace {
RECT ToRect(const ChipRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A bitmap can be selected into one DC at a time, and DrawState selects it: controls of two
// apartments drawing at once take turns with the shared arrow.
SRWLOCK s_arrowLock = SRWLOCK_INIT;

// An edge of the metrics' outer and inner lines; at 96 DPI the system's own two-line edge.
void DrawChipEdge(HDC dc, RECT r, UINT edge, const ChipMetrics& m) {
  if (m.edgeOuter == 1 && m.edgeInner == 1) {
    DrawEdge(dc, &r, edge, BF_RECT);
    return;
  }
  for (int i = 0; i < m.edgeOuter + m.edgeInner; ++i) {
    DrawEdge(dc, &r, edge & (i < m.edgeOuter ? BDR_OUTER : BDR_INNER), BF_RECT);
    InflateRect(&r, -1, -1);
  }
}

// The drop-down arrow at a scaled size, as the shared bitmap has it: black rows on white, each two pixels
// shorter than the one above.
tkt::GdiObject<HBITMAP> ArrowGlyph(int width, int height) {
  const int stride = (width + 15) / 16 * 2;  // monochrome rows are whole WORDs
  std::vector<BYTE> bits(static_cast<size_t>(stride) * height, 0xFF);
  for (int y = 0; y < height; ++y) {
    BYTE* row = &bits[static_cast<size_t>(y) * stride];
    for (int x = y; x < width - y; ++x) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
  }
  return tkt::GdiObject<HBITMAP>(CreateBitmap(width, height, 1, 1, bits.data()));
}
}  // namespace

ChipMetrics CPaintChipCtrl::MetricsAt(int dpi) {
  ChipMetrics m = ChipMetricsAt(dpi);
  if (dpi == tkt::kDesignDpi || dpi <= 0) {
    // The shared bitmap's own size, as the parts have always been measured.
    m.glyphWidth = s_arrowSize.cx;
    m.glyphHeight = s_arrowSize.cy;
    m.arrowPartWidth = s_arrowPartWidth;
  }
  return m;
}

void CPaintChipCtrl::OnDraw(HDC dc, const RECT& bounds, int dpi) {
  const ChipMetrics m = MetricsAt(dpi);
  FillRect(dc, &bounds, GetSysColorBrush(COLOR_BTNFACE));
  const ChipRect r{bounds.left, bounds.top, bounds.right, bounds.bottom};
  const ChipRect swatchPart = SwatchPart(r, m.arrowPartWidth);
  const ChipRect arrowPart = ArrowPart(r, m.arrowPartWidth, m.sharedColumns);
  DrawChipEdge(dc, ToRect(swatchPart), m_swatchDown ? EDGE_SUNKEN : EDGE_RAISED, m);
  DrawChipEdge(dc, ToRect(arrowPart), m_arrowDown ? EDGE_SUNKEN : EDGE_RAISED, m);

  tkt::GdiObject<HBRUSH> textBrush(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
  RECT well = ToRect(ColorWell(swatchPart, m.wellInset));
  const bool enabled = GetEnabled();
  if (enabled) {
    // System colours (0x80000000 + index) are stored as given and shown as they are now.
    COLORREF shown = 0;
    if (FAILED(OleTranslateColor(m_color, nullptr, &shown))) shown = m_color & 0x00FFFFFF;
    tkt::GdiObject<HBRUSH> fill(CreateSolidBrush(shown));
    FillRect(dc, &well, fill.get());
    // A well the colour of the button face would vanish: frame it.
    if (shown == GetSysColor(COLOR_BTNFACE)) {
      RECT frame = well;
      for (int i = 0; i < m.line; ++i, InflateRect(&frame, -1, -1)) FrameRect(dc, &frame, textBrush.get());
    }
  } else {
    DrawChipEdge(dc, well, EDGE_ETCHED, m);
  }

  // Keyboard focus: a dotted frame between the swatch's edge and its colour well.
  if (HWND wnd = ControlWindow(); wnd && GetFocus() == wnd) {
    RECT focus = ToRect(swatchPart.Inflated(-m.focusInset));
    for (int i = 0; i < m.line; ++i, InflateRect(&focus, -1, -1)) DrawFocusRect(dc, &focus);
  }

  const ChipPoint glyph = GlyphOrigin(arrowPart, m.glyphWidth, m.glyphHeight);
  const UINT flags = DST_BITMAP | (enabled ? DSS_MONO : DSS_DISABLED);
  if (m.glyphWidth == s_arrowSize.cx && m.glyphHeight == s_arrowSize.cy) {
    if (s_arrowBitmap) {
      AcquireSRWLockExclusive(&s_arrowLock);
      DrawStateA(dc, textBrush.get(), nullptr, reinterpret_cast<LPARAM>(s_arrowBitmap), 0, glyph.x, glyph.y,
                 m.glyphWidth, m.glyphHeight, flags);
      ReleaseSRWLockExclusive(&s_arrowLock);
    }
  } else if (tkt::GdiObject<HBITMAP> scaled = ArrowGlyph(m.glyphWidth, m.glyphHeight)) {
    DrawStateA(dc, textBrush.get(), nullptr, reinterpret_cast<LPARAM>(scaled.get()), 0, glyph.x, glyph.y,
               m.glyphWidth, m.glyphHeight, flags);
  }
}

}  // namespace paintchip
