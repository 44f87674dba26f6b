// OleControl: identity, IOleObject and the services a control uses.
#include "paintchip/com/ole_control.h"

#include <oleauto.h>
#include <windowsx.h>

#include "base/units.h"
#include "paintchip/com/enumerator.h"
#include "paintchip/com/guard.h"
#include "paintchip/com/typelib.h"

namespace tktcom {
namespace {

// Each copy of a verb owns its name; the caller of Next frees it with CoTaskMemFree.
struct VerbCopy {
  static void Copy(OLEVERB& to, const OLEVERB& from) {
    to = from;
    to.lpszVerbName = nullptr;
    if (from.lpszVerbName) TaskMemString(from.lpszVerbName, &to.lpszVerbName);
  }
  static void Free(OLEVERB& verb) { CoTaskMemFree(verb.lpszVerbName); }
};
using VerbEnum = ArrayEnumerator<IEnumOLEVERB, IID_IEnumOLEVERB, OLEVERB, VerbCopy>;

}  // namespace

OleControl::OleControl(const ControlClass& cls)
    : cls_(cls), events_(this, *cls.eventIid), propertyNotify_(this, IID_IPropertyNotifySink) {
  // The initial size is in pixels at 96 DPI, the size it has at 100 %: a container at another scale makes
  // the same HIMETRIC more or fewer pixels.
  props_.extentX = MulDiv(cls.initialSize.cx, tkt::kHimetricPerInch, tkt::kDesignDpi);
  props_.extentY = MulDiv(cls.initialSize.cy, tkt::kHimetricPerInch, tkt::kDesignDpi);
}

OleControl::~OleControl() { DestroyControlWindow(); }

STDMETHODIMP OleControl::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  void* p = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleObject) {
    p = static_cast<IOleObject*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
    p = static_cast<IOleInPlaceObject*>(this);
  } else if (iid == IID_IOleInPlaceActiveObject) {
    p = static_cast<IOleInPlaceActiveObject*>(this);
  } else if (iid == IID_IOleControl) {
    p = static_cast<IOleControl*>(this);
  } else if (iid == IID_IViewObject || iid == IID_IViewObject2) {
    p = static_cast<IViewObject2*>(this);
  } else if (iid == IID_IPersist || iid == IID_IPersistStreamInit || iid == IID_IPersistStream) {
    // IPersistStreamInit's table begins with IPersistStream's.
    p = static_cast<IPersistStreamInit*>(this);
  } else if (iid == IID_IPersistPropertyBag) {
    p = static_cast<IPersistPropertyBag*>(this);
  } else if (iid == IID_IPersistStorage) {
    p = static_cast<IPersistStorage*>(this);
  } else if (iid == IID_ISpecifyPropertyPages) {
    p = static_cast<ISpecifyPropertyPages*>(this);
  } else if (iid == IID_IPointerInactive && (GetControlFlags() & kPointerInactive)) {
    p = static_cast<IPointerInactive*>(this);
  } else if (iid == IID_IQuickActivate) {
    p = static_cast<IQuickActivate*>(this);
  } else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
    p = static_cast<IProvideClassInfo2*>(this);
  } else if (iid == IID_IConnectionPointContainer) {
    p = static_cast<IConnectionPointContainer*>(this);
  } else if (iid == IID_IObjectSafety && cls_.safeFor != 0) {
    p = static_cast<IObjectSafety*>(this);
  } else if (iid == IID_IDispatch || iid == *cls_.dispatchIid) {
    p = static_cast<IDispatch*>(this);
  }
  *out = p;
  if (!p) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) OleControl::AddRef() noexcept { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) OleControl::Release() noexcept {
  const ULONG n = InterlockedDecrement(&refs_);
  if (n == 0) {
    // A container that let go without closing us: tear the window down while the derived control
    // still exists, so its OnDestroyWindow runs (a destructor would only reach ours).
    refs_ = 1;
    DestroyControlWindow();
    delete this;
  }
  return n;
}

// --- IOleObject ---

STDMETHODIMP OleControl::SetClientSite(IOleClientSite* site) noexcept {
  if (!site) {
    // The container lets go: it must not be called any more.
    InPlaceDeactivate();
    controlSite_.reset();
    clientSite_.reset();
    return S_OK;
  }
  clientSite_ = ComPtr<IOleClientSite>::Share(site);
  clientSite_.As(controlSite_, IID_IOleControlSite);
  ReadAmbients();
  return S_OK;
}

STDMETHODIMP OleControl::GetClientSite(IOleClientSite** out) noexcept {
  if (!out) return E_POINTER;
  *out = clientSite_.Copy();
  return S_OK;
}

STDMETHODIMP OleControl::Close(DWORD saveOption) noexcept {
  ComPtr<IUnknown> self = ComPtr<IUnknown>::Share(Identity());  // the site may drop its reference meanwhile
  InPlaceDeactivate();
  if (dirty_ && clientSite_ && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE)) {
    clientSite_->SaveObject();
  }
  if (adviseHolder_) adviseHolder_->SendOnClose();
  return S_OK;
}

STDMETHODIMP OleControl::GetMoniker(DWORD, DWORD, IMoniker** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP OleControl::GetClipboardData(DWORD, IDataObject** out) noexcept {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP OleControl::DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG, HWND parent, LPCRECT) noexcept {
  if (!clientSite_ && site) SetClientSite(site);
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_INPLACEACTIVATE: {
      const HRESULT hr = InPlaceActivate(verb != OLEIVERB_INPLACEACTIVATE);
      if (SUCCEEDED(hr)) ForwardActivationMessage(msg);
      return hr;
    }
    case OLEIVERB_HIDE:
      UIDeactivate();
      if (wnd_) ShowWindow(reflector_ ? reflector_ : wnd_, SW_HIDE);
      return S_OK;
    case OLEIVERB_PROPERTIES:
      return ShowPropertyPages(parent);
    default:
      if (verb > 0) {
        InPlaceActivate(true);
        return OLEOBJ_S_INVALIDVERB;
      }
      return E_NOTIMPL;
  }
}

STDMETHODIMP OleControl::EnumVerbs(IEnumOLEVERB** out) noexcept {
  // Containers put "Properties" on the control's context menu.
  static const OLEVERB verbs[] = {
      {OLEIVERB_PROPERTIES, const_cast<LPOLESTR>(L"&Properties..."), 0, OLEVERBATTRIB_ONCONTAINERMENU}};
  return VerbEnum::Create(verbs, cls_.pageCount ? 1 : 0, out);
}

STDMETHODIMP OleControl::GetUserClassID(CLSID* clsid) noexcept {
  if (!clsid) return E_POINTER;
  *clsid = *cls_.clsid;
  return S_OK;
}

STDMETHODIMP OleControl::GetUserType(DWORD form, LPOLESTR* out) noexcept {
  if (!out) return E_POINTER;
  if (SUCCEEDED(OleRegGetUserType(*cls_.clsid, form, out))) return S_OK;
  // Not registered: the name is in the module's string table.
  wchar_t name[128] = {};
  LoadStringW(ModuleHandle(), cls_.typeNameId, name, 128);
  return TaskMemString(name, out);
}

STDMETHODIMP OleControl::SetExtent(DWORD aspect, SIZEL* size) noexcept {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  if (size->cx != props_.extentX || size->cy != props_.extentY) {
    props_.extentX = size->cx;
    props_.extentY = size->cy;
    SetModifiedFlag();
  }
  return S_OK;
}

STDMETHODIMP OleControl::GetExtent(DWORD aspect, SIZEL* size) noexcept {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  size->cx = props_.extentX;
  size->cy = props_.extentY;
  return S_OK;
}

STDMETHODIMP OleControl::Advise(IAdviseSink* sink, DWORD* cookie) noexcept {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!adviseHolder_) {
    const HRESULT hr = CreateOleAdviseHolder(adviseHolder_.put());
    if (FAILED(hr)) return hr;
  }
  return adviseHolder_->Advise(sink, cookie);
}

STDMETHODIMP OleControl::Unadvise(DWORD cookie) noexcept {
  if (!adviseHolder_) return OLE_E_NOCONNECTION;
  return adviseHolder_->Unadvise(cookie);
}

STDMETHODIMP OleControl::EnumAdvise(IEnumSTATDATA** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!adviseHolder_) {
    const HRESULT hr = CreateOleAdviseHolder(adviseHolder_.put());
    if (FAILED(hr)) return hr;
  }
  return adviseHolder_->EnumAdvise(out);
}

STDMETHODIMP OleControl::GetMiscStatus(DWORD aspect, DWORD* status) noexcept {
  if (!status) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? cls_.miscStatus : 0;
  return S_OK;
}

// --- services ---

void OleControl::InvalidateControl() {
  if (wnd_) {
    InvalidateRect(wnd_, nullptr, FALSE);
    UpdateWindow(wnd_);
  } else if (viewSink_ && (viewAspects_ & DVASPECT_CONTENT)) {
    viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
  }
}

// Both run from drops and window messages as well as from Invoke: out of memory, the
// notification is lost rather than thrown.
void OleControl::FireEvent(DISPID id, VARIANTARG* argsLastFirst, UINT count) {
  if (freezeEvents_ > 0) return;  // a frozen container does not want events
  ComPtr<IUnknown> self = ComPtr<IUnknown>::Share(Identity());
  DISPPARAMS params{argsLastFirst, nullptr, count, 0};
  Guarded([&]() -> HRESULT {
    for (const ComPtr<IUnknown>& sink : events_.Sinks()) {
      // Sinks were connected through the event dispinterface, whose table is IDispatch's.
      auto* d = reinterpret_cast<IDispatch*>(sink.get());
      d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
    return S_OK;
  });
}

void OleControl::PropertyChanged(DISPID id) {
  ComPtr<IUnknown> self = ComPtr<IUnknown>::Share(Identity());
  Guarded([&]() -> HRESULT {
    for (const ComPtr<IUnknown>& sink : propertyNotify_.Sinks()) {
      reinterpret_cast<IPropertyNotifySink*>(sink.get())->OnChanged(id);  // connected through that interface
    }
    return S_OK;
  });
}

void OleControl::EnableFrameModeless(bool enable) {
  // Nested modal windows tell the frame once. The frame told "disabled" is told "enabled" again,
  // even if deactivation dropped it meanwhile.
  if (!enable) {
    if (modalDepth_++ > 0) return;
    modalFrame_ = ComPtr<IOleInPlaceFrame>::Share(frame_.get());
    if (modalFrame_) modalFrame_->EnableModeless(FALSE);
  } else if (modalDepth_ > 0 && --modalDepth_ == 0 && modalFrame_) {
    ComPtr<IOleInPlaceFrame> frame = std::move(modalFrame_);
    frame->EnableModeless(TRUE);
  }
}

void OleControl::SetEnabled(bool enabled) {
  if (enabled == props_.enabled) return;
  props_.enabled = enabled;
  SetModifiedFlag();
  if (wnd_) EnableWindow(wnd_, enabled);
  InvalidateControl();
  PropertyChanged(DISPID_ENABLED);
}

void OleControl::ForwardActivationMessage(const MSG* msg) {
  // In a click-to-activate container the click that activated the control is meant for it too.
  if (!msg || !wnd_ || msg->message < WM_LBUTTONDOWN || msg->message > WM_MBUTTONDBLCLK) return;
  POINT at{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
  if (msg->hwnd) {
    MapWindowPoints(msg->hwnd, wnd_, &at, 1);
  } else {
    at = msg->pt;
    ScreenToClient(wnd_, &at);
  }
  RECT client{};
  GetClientRect(wnd_, &client);
  // Posted: a press may open modal UI, which must not run inside the container's DoVerb.
  if (PtInRect(&client, at)) PostMessageW(wnd_, msg->message, msg->wParam, MAKELPARAM(at.x, at.y));
}

void OleControl::ReadAmbients() {
  messageReflect_ = false;
  ComPtr<IDispatch> ambient;
  if (!clientSite_ || FAILED(clientSite_.As(ambient, IID_IDispatch))) return;
  VARIANT v;
  VariantInit(&v);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_MESSAGEREFLECT, IID_NULL, LOCALE_USER_DEFAULT,
                                DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr))) {
    bool reflect = false;
    if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_BOOL))) reflect = V_BOOL(&v) != VARIANT_FALSE;
    messageReflect_ = reflect;
  }
  VariantClear(&v);
}

HRESULT OleControl::ShowPropertyPages(HWND parent) {
  // A container may show the pages itself, with its own extended properties.
  if (controlSite_) {
    const HRESULT hr = controlSite_->ShowPropertyFrame();
    if (hr != E_NOTIMPL && SUCCEEDED(hr)) return hr;
  }
  if (cls_.pageCount == 0) return S_OK;
  LPOLESTR name = nullptr;
  if (FAILED(GetUserType(USERCLASSTYPE_SHORT, &name))) name = nullptr;
  IUnknown* objects[] = {Identity()};
  ComPtr<IUnknown> self = ComPtr<IUnknown>::Share(Identity());
  EnableFrameModeless(false);
  const HRESULT hr = OleCreatePropertyFrame(parent, 0, 0, name, 1, objects, cls_.pageCount,
                                            const_cast<CLSID*>(cls_.pages), LOCALE_USER_DEFAULT, 0, nullptr);
  EnableFrameModeless(true);
  CoTaskMemFree(name);
  return hr;
}

}  // namespace tktcom
