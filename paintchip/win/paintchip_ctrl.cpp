#include "paintchip/win/paintchip_ctrl.h"

#include <windowsx.h>

#include <new>

#include "paintchip/chip_geometry.h"
#include "paintchip/color_rule.h"
#include "paintchip/com/dispatch_util.h"
#include "paintchip/palette.h"
#include "paintchip/win/chip_persist.h"
#include "paintchip/win/paintchip_ids.h"
#include "paintchip/win/resource.h"

namespace paintchip {
namespace {

// A new control is 80 x 20 pixels, a button's size.
// It touches no file, registry or network, so scripts and untrusted stored forms may drive it.
const tktcom::ControlClass kPaintChipClass = {
    &CLSID_PaintChip, &DIID__DPaintChip, &DIID__DPaintChipEvents, &LIBID_PAINTCHIPLib, kLibMajor, kLibMinor,
    IDS_PAINTCHIP,    kMiscStatus,       &CLSID_PaintChipPropPage, 1, {80, 20},
    INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA};

INIT_ONCE s_sharedOnce = INIT_ONCE_STATIC_INIT;
SRWLOCK s_colorTableLock = SRWLOCK_INIT;

BOOL CALLBACK LoadShared(PINIT_ONCE, PVOID, PVOID*) {
  CPaintChipCtrl::s_arrowBitmap = LoadBitmapA(tktcom::ModuleHandle(), MAKEINTRESOURCEA(IDB_ARROW));
  BITMAP bm{};
  if (CPaintChipCtrl::s_arrowBitmap && GetObjectA(CPaintChipCtrl::s_arrowBitmap, sizeof bm, &bm)) {
    CPaintChipCtrl::s_arrowSize = {bm.bmWidth, bm.bmHeight};
  }
  CPaintChipCtrl::s_arrowPartWidth = static_cast<short>(ArrowPartWidthFor(CPaintChipCtrl::s_arrowSize.cx));
  return TRUE;
}

}  // namespace

HBITMAP CPaintChipCtrl::s_arrowBitmap = nullptr;
SIZE CPaintChipCtrl::s_arrowSize = {0, 0};
short CPaintChipCtrl::s_arrowPartWidth = -1;
COLORREF CPaintChipCtrl::s_colorTable[16] = {};
// The palette starts as the default table when the module loads; the colour dialog may rewrite it.
static const bool s_colorTableReady = [] {
  const ColorTable& t = DefaultColorTable();
  for (size_t i = 0; i < kPaletteSize; ++i) CPaintChipCtrl::s_colorTable[i] = t[i];
  return true;
}();

ColorTable CPaintChipCtrl::ReadColorTable() {
  ColorTable table;
  AcquireSRWLockShared(&s_colorTableLock);
  for (size_t i = 0; i < kPaletteSize; ++i) table[i] = s_colorTable[i];
  ReleaseSRWLockShared(&s_colorTableLock);
  return table;
}

void CPaintChipCtrl::StoreCustomColors(const ColorTable& before, const ColorTable& after) {
  // Only the changed entries: another thread's dialog may have changed others meanwhile.
  AcquireSRWLockExclusive(&s_colorTableLock);
  for (size_t i = 0; i < kPaletteSize; ++i) {
    if (after[i] != before[i]) s_colorTable[i] = after[i];
  }
  ReleaseSRWLockExclusive(&s_colorTableLock);
}

HRESULT CPaintChipCtrl::Create(REFIID iid, void** out) {
  auto* ctrl = new (std::nothrow) CPaintChipCtrl();
  if (!ctrl) return E_OUTOFMEMORY;
  const HRESULT hr = ctrl->QueryInterface(iid, out);
  ctrl->Release();
  return hr;
}

CPaintChipCtrl::CPaintChipCtrl() : OleControl(kPaintChipClass) {
  // The arrow part's width is set with the bitmap, once: later controls would only write the same value.
  InitOnceExecuteOnce(&s_sharedOnce, &LoadShared, nullptr, nullptr);
  m_color = 0;
  m_arrowDown = m_swatchDown = 0;
  ColorTransferFormat();  // registered before any drag can start or arrive
  m_dropTarget = ColorDropTarget::Create(this);
}

CPaintChipCtrl::~CPaintChipCtrl() {
  if (m_dropTarget) m_dropTarget->Detach();
}

void CPaintChipCtrl::ReleaseShared() {
  if (s_arrowBitmap) {
    DeleteObject(s_arrowBitmap);
    s_arrowBitmap = nullptr;
  }
  InitOnceInitialize(&s_sharedOnce);
}

DWORD CPaintChipCtrl::GetControlFlags() const { return OleControl::GetControlFlags() | tktcom::kPointerInactive; }

void CPaintChipCtrl::SetColor(COLORREF color) {
  AddRef();  // an event handler may release the control
  if (ApplySetColor(m_color, color).fireColorChanged) {
    VARIANTARG arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = static_cast<LONG>(color);
    FireEvent(kDispidColorChanged, &arg, 1);
    SetModifiedFlag();
    PropertyChanged(kDispidColor);
  }
  InvalidateControl();
  Release();
}

void CPaintChipCtrl::DoPropExchange(tktcom::PropExchange& px) {
  DoChipPropExchange(px, Framework(), m_color);
}

HRESULT CPaintChipCtrl::InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr) {
  if (id != kDispidColor) return DISP_E_MEMBERNOTFOUND;
  if (flags & DISPATCH_PROPERTYPUT) {
    const VARIANT* arg = nullptr;
    HRESULT hr = tktcom::PutArgument(params, &arg, argErr);
    if (FAILED(hr)) return hr;
    std::uint32_t color = 0;
    hr = tktcom::VariantToBits32(*arg, &color);
    if (FAILED(hr)) {
      if (argErr) *argErr = 0;
      return hr;
    }
    SetColor(color);  // system colours are kept as given
    return S_OK;
  }
  if (flags & DISPATCH_PROPERTYGET) {
    const HRESULT hr = tktcom::CheckGet(params, argErr);
    if (FAILED(hr)) return hr;
    if (result) {
      VariantInit(result);
      V_VT(result) = VT_I4;  // OLE_COLOR travels as a 32-bit integer
      V_I4(result) = static_cast<LONG>(m_color);
    }
    return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}

void CPaintChipCtrl::OnCreate() {
  if (m_dropTarget) m_dropRegistered = SUCCEEDED(RegisterDragDrop(ControlWindow(), m_dropTarget.get()));
}

void CPaintChipCtrl::OnDestroyWindow() {
  if (m_dropRegistered) RevokeDragDrop(ControlWindow());
  m_dropRegistered = false;
}

LRESULT CPaintChipCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      OnLButtonDown(wp, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_KEYDOWN:
      if (wp != VK_SPACE && wp != VK_RETURN) break;
      OpenPalette();
      return 0;
    case WM_SYSKEYDOWN:
      if (wp != VK_DOWN || !(lp & (1 << 29))) break;  // Alt+Down, as a drop-down list opens
      OpenPalette();
      return 0;
    case WM_GETDLGCODE: {
      // Enter opens the palette instead of pressing a dialog's default button.
      const auto* m = reinterpret_cast<const MSG*>(lp);
      const LRESULT code = DefaultProc(msg, wp, lp);
      return (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) ? (code | DLGC_WANTMESSAGE) : code;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT r = DefaultProc(msg, wp, lp);
      InvalidateControl();  // the focus rectangle
      return r;
    }
    case OCM_COMMAND:
      return 0;  // the button's click means nothing here: the press did the work
    case OCM_DRAWITEM:
      return TRUE;  // WM_PAINT draws the whole button
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (item->CtlType != ODT_MENU) break;
      m_colorMenu.MeasureItem(item);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (item->CtlType != ODT_MENU) break;
      m_colorMenu.DrawItem(item);
      return TRUE;
    }
    default:
      break;
  }
  return OleControl::WindowProc(msg, wp, lp);
}

void CPaintChipCtrl::OnLButtonDown(WPARAM flags, POINT at) {
  AddRef();
  DefaultProc(WM_LBUTTONDOWN, flags, MAKELPARAM(at.x, at.y));
  HWND wnd = ControlWindow();
  RECT client{};
  if (wnd) GetClientRect(wnd, &client);
  const ChipRect bounds{client.left, client.top, client.right, client.bottom};
  const ChipMetrics m = MetricsAt(WindowDpi());
  switch (wnd ? HitTest(bounds, m.arrowPartWidth, at.x, at.y, m.sharedColumns) : ChipPart::None) {
    case ChipPart::Arrow:
      OpenPalette();
      break;
    case ChipPart::Swatch:
      StartColorDrag(m_color);
      break;
    case ChipPart::None:
      break;
  }
  Release();
}

void CPaintChipCtrl::OpenPalette() {
  HWND wnd = ControlWindow();
  if (!wnd) return;
  AddRef();
  m_arrowDown = 1;
  InvalidateControl();
  RECT screen{};
  GetWindowRect(wnd, &screen);
  COLORREF color = m_color;
  const bool chosen = m_colorMenu.TrackColorPopup(wnd, WindowDpi(), {screen.left, screen.bottom}, color,
                                                  [this](bool enable) { EnableFrameModeless(enable); });
  if (chosen) SetColor(color);
  m_arrowDown = 0;
  InvalidateControl();
  Release();
}

}  // namespace paintchip
