// UCxColorMenu: the owner-drawn palette popup of a PaintChip.
#pragma once

#include <windows.h>

#include <functional>

#include "paintchip/chip_geometry.h"

namespace paintchip {

class UCxColorMenu {
 public:
  UCxColorMenu() = default;
  ~UCxColorMenu();
  UCxColorMenu(const UCxColorMenu&) = delete;
  UCxColorMenu& operator=(const UCxColorMenu&) = delete;

  // Shows the palette at a screen point (left- and top-aligned) for `owner`, which receives the
  // owner-draw messages, with cells at `dpi`. True when the user chose a colour; it is then in `color`.
  // `enableModeless` is told false before the colour dialog opens and true after it closes.
  bool TrackColorPopup(HWND owner, int dpi, POINT at, COLORREF& color,
                       const std::function<void(bool)>& enableModeless = {});
  void MeasureItem(MEASUREITEMSTRUCT* item) const;
  void DrawItem(const DRAWITEMSTRUCT* item) const;
  HMENU Handle() const { return m_hMenu; }

 private:
  bool ChooseOtherColor(HWND owner, COLORREF& color, const std::function<void(bool)>& enableModeless) const;
  HMENU m_hMenu = nullptr;
  PaletteCell m_cell;
};

}  // namespace paintchip
