#include "paintchip/win/color_menu.h"

#include <commdlg.h>
#include <olectl.h>

#include "paintchip/palette.h"
#include "paintchip/win/paintchip_ctrl.h"
#include "wincommon/gdi.h"

namespace paintchip {
namespace {
// TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, left- and top-aligned.
constexpr UINT kTrackFlags = 0x182;
}  // namespace

UCxColorMenu::~UCxColorMenu() {
  if (m_hMenu) DestroyMenu(m_hMenu);
}

bool UCxColorMenu::TrackColorPopup(HWND owner, int dpi, POINT at, COLORREF& color,
                                   const std::function<void(bool)>& enableModeless) {
  m_cell = PaletteCellAt(dpi);
  if (m_hMenu) {
    DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
  }
  m_hMenu = CreatePopupMenu();
  if (!m_hMenu) return false;
  const ColorTable table = CPaintChipCtrl::ReadColorTable();
  for (const PaletteItem& item : PaletteItems(table)) {
    const UINT flags = MF_OWNERDRAW | (item.menuBreak ? MF_MENUBREAK : 0);
    // Owner-drawn items carry their colour as item data.
    AppendMenuA(m_hMenu, flags, static_cast<UINT_PTR>(item.id),
                reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(item.color.value_or(0))));
  }
  const int id = TrackPopupMenu(m_hMenu, kTrackFlags, at.x, at.y, 0, owner, nullptr);
  switch (ClassifyChoice(id)) {
    case PaletteChoice::Nothing:
      return false;
    case PaletteChoice::OtherColor:
      return ChooseOtherColor(owner, color, enableModeless);
    case PaletteChoice::Entry:
      color = *EntryColor(id, table);  // the colour the palette showed
      return true;
    case PaletteChoice::Unknown:
      break;
  }
  OutputDebugStringA("Bad Color ID in UCxColorMenu\n");
  return false;
}

bool UCxColorMenu::ChooseOtherColor(HWND owner, COLORREF& color,
                                    const std::function<void(bool)>& enableModeless) const {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  // A system colour (0x80000000 + index) starts the dialog at what it shows now.
  if (FAILED(OleTranslateColor(color, nullptr, &cc.rgbResult))) cc.rgbResult = color & 0x00FFFFFF;
  // The palette doubles as the custom colours: what the user defines here stays for the process,
  // even when the dialog is cancelled. The dialog works on a copy; other threads keep the table.
  const ColorTable before = CPaintChipCtrl::ReadColorTable();
  COLORREF custom[kPaletteSize];
  for (size_t i = 0; i < kPaletteSize; ++i) custom[i] = before[i];
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  if (enableModeless) enableModeless(false);
  const BOOL confirmed = ChooseColorW(&cc);
  if (enableModeless) enableModeless(true);
  ColorTable after;
  for (size_t i = 0; i < kPaletteSize; ++i) after[i] = custom[i];
  CPaintChipCtrl::StoreCustomColors(before, after);
  if (!confirmed) return false;
  color = cc.rgbResult;
  return true;
}

void UCxColorMenu::MeasureItem(MEASUREITEMSTRUCT* item) const {
  item->itemWidth = static_cast<UINT>(m_cell.width);
  item->itemHeight = static_cast<UINT>(m_cell.height);
}

void UCxColorMenu::DrawItem(const DRAWITEMSTRUCT* item) const {
  HDC dc = item->hDC;
  RECT rc = item->rcItem;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  if (static_cast<int>(item->itemID) == kOtherColorId) {
    // Text colour and background are whatever the menu left in the DC.
    DrawTextA(dc, "...", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    FrameRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    return;
  }
  if (selected) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
  } else {
    DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
  }
  InflateRect(&rc, -m_cell.inset, -m_cell.inset);
  tkt::GdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(item->itemData)));
  FillRect(dc, &rc, brush.get());
}

}  // namespace paintchip
