// CPaintChipCtrl: the colour button control on our OLE control layer.
#pragma once

#include "paintchip/chip_geometry.h"
#include "paintchip/com/ole_control.h"
#include "paintchip/palette.h"
#include "paintchip/win/color_drag.h"
#include "paintchip/win/color_menu.h"

namespace paintchip {

class CPaintChipCtrl final : public tktcom::OleControl, private ColorDropReceiver {
 public:
  static HRESULT Create(REFIID iid, void** out);

  // The one way the colour changes: ColorChanged only for a new value, a redraw always.
  void SetColor(COLORREF color);
  COLORREF GetColor() const { return m_color; }

  // Shared by every control of the process. The arrow is loaded once, by whichever apartment's
  // thread makes the first control, and freed when the module unloads (ReleaseShared).
  static HBITMAP s_arrowBitmap;
  static SIZE s_arrowSize;
  static short s_arrowPartWidth;     // -1 until the first control is made
  static COLORREF s_colorTable[16];  // the palette, and the colour dialog's custom colours
  static void ReleaseShared();       // at process detach
  // The table is read and written only through these, under one lock.
  static ColorTable ReadColorTable();
  // Stores the entries a colour dialog changed from `before` to `after`.
  static void StoreCustomColors(const ColorTable& before, const ColorTable& after);
  // The parts' sizes at `dpi`; at 96 DPI measured from the shared arrow.
  static ChipMetrics MetricsAt(int dpi);

 protected:
  void OnDraw(HDC dc, const RECT& bounds, int dpi) override;
  void DoPropExchange(tktcom::PropExchange& px) override;
  HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr) override;
  DWORD GetControlFlags() const override;
  const wchar_t* SubclassedClassName() const override { return L"BUTTON"; }
  DWORD AdjustWindowStyle(DWORD style) const override { return style | BS_OWNERDRAW; }
  void OnCreate() override;
  void OnDestroyWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  CPaintChipCtrl();
  ~CPaintChipCtrl() override;
  void OnLButtonDown(WPARAM flags, POINT at);
  // The palette under the control, from a press on the arrow or from the keyboard.
  void OpenPalette();
  void OnColorDropped(COLORREF color) override { SetColor(color); }

  ColorRef m_color = 0;  // COLORREF layout, or 0x80000000 + a system colour index
  UCxColorMenu m_colorMenu;
  BYTE m_arrowDown = 0;
  BYTE m_swatchDown = 0;  // drawn sunken when set; no input sets it (a press on the swatch drags)
  tkt::ComPtr<ColorDropTarget> m_dropTarget;
  bool m_dropRegistered = false;
};

}  // namespace paintchip
