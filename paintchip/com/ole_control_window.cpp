// OleControl: in-place activation and the control's window.
#include "paintchip/com/ole_control.h"

#include <commctrl.h>

#include "wincommon/dpi.h"
#include "wincommon/gdi.h"

namespace tktcom {
namespace {

constexpr wchar_t kPlainClass[] = L"TktOleControl";
constexpr wchar_t kReflectorClass[] = L"TktOleReflector";

// Our subclass in the comctl32 chain of the control's window; the reference data is the control.
constexpr UINT_PTR kSubclassId = 1;

// Both classes use DefWindowProc and are subclassed per window, so a class left behind by an
// unloaded module never points into it.
void EnsureClass(const wchar_t* name) {
  WNDCLASSW wc{};
  if (GetClassInfoW(ModuleHandle(), name, &wc)) return;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = ModuleHandle();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

// Notifications a child sends its parent; the reflector hands them back as OCM_* messages.
bool IsReflected(UINT msg) {
  switch (msg) {
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_DELETEITEM:
    case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_HSCROLL: case WM_VSCROLL:
    case WM_PARENTNOTIFY: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORDLG:
    case WM_CTLCOLORLISTBOX: case WM_CTLCOLORMSGBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

}  // namespace

HRESULT OleControl::InPlaceActivate(bool uiActivate) {
  if (!clientSite_) return E_UNEXPECTED;
  ComPtr<IUnknown> self = ComPtr<IUnknown>::Share(Identity());
  if (!inPlaceActive_) {
    ComPtr<IOleInPlaceSite> site;
    if (FAILED(clientSite_.As(site, IID_IOleInPlaceSite))) return E_NOINTERFACE;
    if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
    HRESULT hr = site->OnInPlaceActivate();
    if (FAILED(hr)) return hr;
    inPlaceSite_ = std::move(site);
    inPlaceActive_ = true;

    HWND parent = nullptr;
    RECT pos{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    hr = inPlaceSite_->GetWindow(&parent);
    if (SUCCEEDED(hr)) {
      hr = inPlaceSite_->GetWindowContext(frame_.put(), uiWindow_.put(), &pos, &clip, &frameInfo);
    }
    if (SUCCEEDED(hr)) hr = CreateControlWindow(parent, pos, clip);
    if (FAILED(hr)) {
      InPlaceDeactivate();
      return hr;
    }
  }
  // Shown again after OLEIVERB_HIDE.
  HWND outer = reflector_ ? reflector_ : wnd_;
  if (outer && !IsWindowVisible(outer)) ShowWindow(outer, SW_SHOWNA);
  if (uiActivate && !uiActive_) {
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    LPOLESTR name = nullptr;
    if (FAILED(GetUserType(USERCLASSTYPE_SHORT, &name))) name = nullptr;
    auto* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (frame_) frame_->SetActiveObject(active, name);
    if (uiWindow_) uiWindow_->SetActiveObject(active, name);
    CoTaskMemFree(name);
    // The control needs no tool space.
    if (frame_) frame_->SetBorderSpace(nullptr);
    if (uiWindow_) uiWindow_->SetBorderSpace(nullptr);
    if (wnd_ && GetFocus() != wnd_) SetFocus(wnd_);
  }
  return S_OK;
}

STDMETHODIMP OleControl::UIDeactivate() noexcept {
  if (!uiActive_) return S_OK;
  uiActive_ = false;
  if (uiWindow_) uiWindow_->SetActiveObject(nullptr, nullptr);
  if (frame_) frame_->SetActiveObject(nullptr, nullptr);
  if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
  return S_OK;
}

STDMETHODIMP OleControl::InPlaceDeactivate() noexcept {
  if (!inPlaceActive_) return S_OK;
  ComPtr<IUnknown> self = ComPtr<IUnknown>::Share(Identity());
  UIDeactivate();
  inPlaceActive_ = false;
  DestroyControlWindow();
  frame_.reset();
  uiWindow_.reset();
  ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  if (site) site->OnInPlaceDeactivate();
  return S_OK;
}

STDMETHODIMP OleControl::GetWindow(HWND* out) noexcept {
  if (!out) return E_POINTER;
  *out = wnd_;
  return wnd_ ? S_OK : E_FAIL;
}

STDMETHODIMP OleControl::SetObjectRects(LPCRECT pos, LPCRECT clip) noexcept {
  if (!pos) return E_POINTER;
  if (wnd_) PlaceWindow(*pos, clip ? *clip : *pos);
  return S_OK;
}

HRESULT OleControl::CreateControlWindow(HWND parent, const RECT& pos, const RECT& clip) {
  const wchar_t* superClass = SubclassedClassName();
  if (!superClass) {
    EnsureClass(kPlainClass);
    superClass = kPlainClass;
  }
  HWND host = parent;
  if (!messageReflect_) {
    EnsureClass(kReflectorClass);
    reflector_ = CreateWindowExW(0, kReflectorClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                 parent, nullptr, ModuleHandle(), nullptr);
    if (!reflector_) return HRESULT_FROM_WIN32(GetLastError());
    SetWindowLongPtrW(reflector_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReflectorProc));
    host = reflector_;
  }
  DWORD style = AdjustWindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP);
  if (!props_.enabled) style |= WS_DISABLED;
  wnd_ = CreateWindowExW(0, superClass, L"", style, 0, 0, 0, 0, host,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlWindowId)), ModuleHandle(), nullptr);
  if (!wnd_) {
    const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
    DestroyControlWindow();
    return FAILED(hr) ? hr : E_FAIL;
  }
  subclassed_ = SetWindowSubclass(wnd_, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  if (!subclassed_) {
    DestroyControlWindow();
    return E_FAIL;
  }
  PlaceWindow(pos, clip);
  OnCreate();
  if (reflector_) ShowWindow(reflector_, SW_SHOWNA);
  ShowWindow(wnd_, SW_SHOWNA);
  return S_OK;
}

void OleControl::DestroyControlWindow() {
  if (wnd_) {
    if (subclassed_) {
      OnDestroyWindow();
      // Detach first: destruction must not call back into a control that may be half destroyed.
      // Our procedure stays in the chain, passing messages on, until WM_NCDESTROY removes it, so a
      // hook the host added after ours sees the window go.
      SetWindowSubclass(wnd_, &SubclassProc, kSubclassId, 0);
    }
    subclassed_ = false;
    DestroyWindow(wnd_);
    wnd_ = nullptr;
  }
  if (reflector_) {
    DestroyWindow(reflector_);
    reflector_ = nullptr;
  }
  UnregisterClassW(kReflectorClass, ModuleHandle());  // fails while other controls still use it
  UnregisterClassW(kPlainClass, ModuleHandle());
}

void OleControl::PlaceWindow(const RECT& pos, const RECT& clip) {
  const int w = pos.right - pos.left, h = pos.bottom - pos.top;
  HWND outer = reflector_ ? reflector_ : wnd_;
  MoveWindow(outer, pos.left, pos.top, w, h, TRUE);
  if (reflector_) MoveWindow(wnd_, 0, 0, w, h, TRUE);
  // Show only the part inside the clip rectangle.
  RECT visible{};
  IntersectRect(&visible, &pos, &clip);
  if (EqualRect(&visible, &pos)) {
    SetWindowRgn(outer, nullptr, TRUE);
  } else {
    OffsetRect(&visible, -pos.left, -pos.top);
    tkt::GdiObject<HRGN> rgn(CreateRectRgnIndirect(&visible));
    if (rgn && SetWindowRgn(outer, rgn.get(), TRUE)) rgn.release();  // the window owns it now
  }
}

LRESULT CALLBACK OleControl::ReflectorProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND child = ::GetWindow(wnd, GW_CHILD);
  if (child && IsReflected(msg)) {
    // Owner-drawn menus are not children: their messages stay with the menu's owner.
    if (msg == WM_DRAWITEM && reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->CtlType == ODT_MENU) {
      return DefWindowProcW(wnd, msg, wp, lp);
    }
    if (msg == WM_MEASUREITEM && reinterpret_cast<const MEASUREITEMSTRUCT*>(lp)->CtlType == ODT_MENU) {
      return DefWindowProcW(wnd, msg, wp, lp);
    }
    return SendMessageW(child, kReflectBase + msg, wp, lp);
  }
  if (msg == WM_SETFOCUS && child) {
    SetFocus(child);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

LRESULT CALLBACK OleControl::SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<OleControl*>(data);
  if (!self || self->wnd_ != wnd) {
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(wnd, &SubclassProc, kSubclassId);
    return DefSubclassProc(wnd, msg, wp, lp);
  }
  // A handler may make the container release the control (an event that closes a form).
  self->AddRef();
  LRESULT r = 0;
  try {
    r = self->FrameworkProc(msg, wp, lp);
  } catch (...) {
    // Nothing may unwind into the system's message dispatch.
  }
  self->Release();
  return r;
}

LRESULT OleControl::FrameworkProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETFOCUS:
      if (inPlaceActive_ && !uiActive_) InPlaceActivate(true);
      if (controlSite_) controlSite_->OnFocus(TRUE);
      break;
    case WM_KILLFOCUS:
      if (controlSite_) controlSite_->OnFocus(FALSE);
      break;
    case WM_NCDESTROY: {
      // The container destroyed our window without deactivating us first.
      HWND wnd = wnd_;
      OnDestroyWindow();
      RemoveWindowSubclass(wnd, &SubclassProc, kSubclassId);
      subclassed_ = false;
      wnd_ = nullptr;
      return DefSubclassProc(wnd, msg, wp, lp);
    }
    default:
      break;
  }
  return WindowProc(msg, wp, lp);
}

int OleControl::WindowDpi() const { return wnd_ ? tkt::DpiOfWindow(wnd_) : tkt::SystemDpi(); }

LRESULT OleControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (subclassed_) return DefSubclassProc(wnd_, msg, wp, lp);
  return DefWindowProcW(wnd_, msg, wp, lp);
}

LRESULT OleControl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // OnDraw covers every pixel
    case WM_PAINT: {
      tkt::PaintScope paint(wnd_);
      RECT client{};
      GetClientRect(wnd_, &client);
      // Drawn into a back buffer so the button never flickers.
      tkt::MemoryDc mem(paint.dc());
      tkt::GdiObject<HBITMAP> buffer(CreateCompatibleBitmap(paint.dc(), client.right, client.bottom));
      if (mem.get() && buffer) {
        tkt::SelectGuard select(mem.get(), buffer.get());
        OnDraw(mem.get(), client, WindowDpi());
        BitBlt(paint.dc(), 0, 0, client.right, client.bottom, mem.get(), 0, 0, SRCCOPY);
      } else {
        OnDraw(paint.dc(), client, WindowDpi());
      }
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(wnd_, &client);
      OnDraw(reinterpret_cast<HDC>(wp), client, WindowDpi());
      return 0;
    }
    case tkt::kWmDpiChangedAfterParent:
      // The container sizes the window for the new scale (SetObjectRects); the parts follow at the next paint.
      InvalidateRect(wnd_, nullptr, FALSE);
      return 0;
    default:
      return DefaultProc(msg, wp, lp);
  }
}

}  // namespace tktcom
