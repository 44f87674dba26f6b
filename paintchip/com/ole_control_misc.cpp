// OleControl: IOleControl, IViewObject2, property pages, pointer-inactive, quick activation,
// class information, connection points, IObjectSafety and IDispatch.
#include "paintchip/com/ole_control.h"

#include <oleauto.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#include "base/units.h"
#include "paintchip/com/dispatch_util.h"
#include "paintchip/com/guard.h"
#include "paintchip/com/typelib.h"

namespace tktcom {

// --- IOleControl ---

STDMETHODIMP OleControl::GetControlInfo(CONTROLINFO* info) noexcept {
  if (!info) return E_POINTER;
  info->hAccel = nullptr;  // no mnemonics
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

STDMETHODIMP OleControl::OnAmbientPropertyChange(DISPID) noexcept {
  ReadAmbients();
  InvalidateControl();
  return S_OK;
}

STDMETHODIMP OleControl::FreezeEvents(BOOL freeze) noexcept {
  if (freeze) {
    ++freezeEvents_;
  } else if (freezeEvents_ > 0) {
    --freezeEvents_;
  }
  return S_OK;
}

// --- IViewObject2 ---

// A view fills the bounds it is given. A container at the DC's DPI gives the extent's size there and gets
// that DPI; one that shows the control larger or smaller (another monitor's scale while the DC keeps the
// system's, a zoom) gets the scale of its bounds against the extent.
int OleControl::ViewDpi(HDC dc, const RECT& bounds) const {
  const int dcDpi = GetDeviceCaps(dc, LOGPIXELSY);
  const int height = bounds.bottom - bounds.top;
  if (dcDpi <= 0 || props_.extentY <= 0 || height <= 0) return dcDpi > 0 ? dcDpi : tkt::kDesignDpi;
  if (std::abs(height - MulDiv(props_.extentY, dcDpi, tkt::kHimetricPerInch)) <= 1) return dcDpi;
  return std::clamp(MulDiv(height, tkt::kHimetricPerInch, props_.extentY), 24, 960);
}

STDMETHODIMP OleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                              BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) noexcept {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!dc || !bounds) return E_INVALIDARG;  // no windowless drawing
  const RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
  return Guarded([&]() -> HRESULT {
    OnDraw(dc, r, ViewDpi(dc, r));
    return S_OK;
  });
}

STDMETHODIMP OleControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** set) noexcept {
  if (set) *set = nullptr;
  return S_FALSE;  // no palette
}

STDMETHODIMP OleControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept {
  viewSink_ = ComPtr<IAdviseSink>::Share(sink);
  viewAspects_ = aspects;
  viewFlags_ = flags;
  return S_OK;
}

STDMETHODIMP OleControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept {
  if (aspects) *aspects = viewAspects_;
  if (flags) *flags = viewFlags_;
  if (sink) *sink = viewSink_.Copy();
  return S_OK;
}

STDMETHODIMP OleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) noexcept {
  return GetExtent(aspect, size);
}

// --- ISpecifyPropertyPages, IPointerInactive, IQuickActivate ---

STDMETHODIMP OleControl::GetPages(CAUUID* pages) noexcept {
  if (!pages) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  if (cls_.pageCount == 0) return S_OK;
  auto* list = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID) * cls_.pageCount));
  if (!list) return E_OUTOFMEMORY;
  for (ULONG i = 0; i < cls_.pageCount; ++i) list[i] = cls_.pages[i];
  pages->cElems = cls_.pageCount;
  pages->pElems = list;
  return S_OK;
}

STDMETHODIMP OleControl::GetActivationPolicy(DWORD* policy) noexcept {
  if (!policy) return E_POINTER;
  // Become active when the pointer enters, so that a press reaches the control's window.
  *policy = POINTERINACTIVE_ACTIVATEONENTRY;
  return S_OK;
}

STDMETHODIMP OleControl::OnInactiveSetCursor(LPCRECT, LONG, LONG, DWORD, BOOL setAlways) noexcept {
  if (!setAlways) return S_FALSE;
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  return S_OK;
}

STDMETHODIMP OleControl::QuickActivate(QACONTAINER* container, QACONTROL* control) noexcept {
  if (!container || !control) return E_POINTER;
  // Older containers pass shorter structures: read and write only what is there.
  const ULONG have = container->cbSize;
  if (have < offsetof(QACONTAINER, pAdviseSink) || control->cbSize < offsetof(QACONTROL, dwPointerActivationPolicy)) {
    return E_INVALIDARG;
  }
  HRESULT hr = SetClientSite(container->pClientSite);
  if (FAILED(hr)) return hr;
  if (have >= offsetof(QACONTAINER, pPropertyNotifySink) && container->pAdviseSink) {
    SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
  }
  control->dwEventCookie = 0;
  if (have >= offsetof(QACONTAINER, pUnkEventSink) + sizeof(IUnknown*) && container->pUnkEventSink) {
    events_.Advise(container->pUnkEventSink, &control->dwEventCookie);
  }
  control->dwMiscStatus = cls_.miscStatus;
  control->dwViewStatus = 0;
  control->dwPropNotifyCookie = 0;
  if (have >= offsetof(QACONTAINER, pPropertyNotifySink) + sizeof(IUnknown*) && container->pPropertyNotifySink) {
    propertyNotify_.Advise(container->pPropertyNotifySink, &control->dwPropNotifyCookie);
  }
  if (control->cbSize >= sizeof(QACONTROL)) {
    control->dwPointerActivationPolicy = 0;
    if (GetControlFlags() & kPointerInactive) GetActivationPolicy(&control->dwPointerActivationPolicy);
  }
  return S_OK;
}

STDMETHODIMP OleControl::SetContentExtent(LPSIZEL size) noexcept { return SetExtent(DVASPECT_CONTENT, size); }

STDMETHODIMP OleControl::GetContentExtent(LPSIZEL size) noexcept { return GetExtent(DVASPECT_CONTENT, size); }

// --- IProvideClassInfo2, IConnectionPointContainer ---

STDMETHODIMP OleControl::GetClassInfo(ITypeInfo** out) noexcept {
  return GetTypeInfoOfGuid(*cls_.libid, cls_.libMajor, cls_.libMinor, *cls_.clsid, out);
}

STDMETHODIMP OleControl::GetGUID(DWORD kind, GUID* guid) noexcept {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = *cls_.eventIid;
  return S_OK;
}

STDMETHODIMP OleControl::EnumConnectionPoints(IEnumConnectionPoints** out) noexcept {
  ConnectionPoint* points[] = {&events_, &propertyNotify_};
  return EnumPoints(points, 2, out);
}

STDMETHODIMP OleControl::FindConnectionPoint(REFIID iid, IConnectionPoint** out) noexcept {
  ConnectionPoint* points[] = {&events_, &propertyNotify_};
  return FindPoint(points, 2, iid, out);
}

// --- IObjectSafety ---

// The options a host may enable for one interface: callers on the automation interface, data on
// the persistence interfaces, each only when the control class declares itself safe for it.
DWORD OleControl::SafetyOptionsFor(REFIID iid) const {
  if (iid == IID_IDispatch || iid == *cls_.dispatchIid) return cls_.safeFor & INTERFACESAFE_FOR_UNTRUSTED_CALLER;
  if (iid == IID_IPersistStreamInit || iid == IID_IPersistStream || iid == IID_IPersistPropertyBag ||
      iid == IID_IPersistStorage) {
    return cls_.safeFor & INTERFACESAFE_FOR_UNTRUSTED_DATA;
  }
  return 0;
}

STDMETHODIMP OleControl::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) noexcept {
  if (!supported || !enabled) return E_POINTER;
  *supported = *enabled = 0;
  ComPtr<IUnknown> served;
  if (FAILED(QueryInterface(iid, served.put_void()))) return E_NOINTERFACE;
  *supported = SafetyOptionsFor(iid);
  *enabled = (callerSafety_ | dataSafety_) & *supported;
  return S_OK;
}

STDMETHODIMP OleControl::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) noexcept {
  ComPtr<IUnknown> served;
  if (FAILED(QueryInterface(iid, served.put_void()))) return E_NOINTERFACE;
  const DWORD supported = SafetyOptionsFor(iid);
  if (mask & ~supported) return E_FAIL;  // asked to be safe in a way the control is not
  DWORD& options = (supported & INTERFACESAFE_FOR_UNTRUSTED_CALLER) ? callerSafety_ : dataSafety_;
  options = (options & ~mask) | (enabled & mask);
  return S_OK;
}

// --- IDispatch ---

STDMETHODIMP OleControl::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP OleControl::GetTypeInfo(UINT index, LCID, ITypeInfo** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return GetTypeInfoOfGuid(*cls_.libid, cls_.libMajor, cls_.libMinor, *cls_.dispatchIid, out);
}

STDMETHODIMP OleControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  ComPtr<ITypeInfo> info;
  const HRESULT hr = GetTypeInfo(0, lcid, info.put());
  if (FAILED(hr)) return hr;
  return DispGetIDsOfNames(info.get(), names, count, ids);
}

STDMETHODIMP OleControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO*, UINT* argErr) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ComPtr<IUnknown> self = ComPtr<IUnknown>::Share(Identity());
  return Guarded([&]() -> HRESULT {
    if (id != DISPID_ENABLED) return InvokeMember(id, flags, params, result, argErr);
    // The stock Enabled property.
    if (flags & DISPATCH_PROPERTYPUT) {
      const VARIANT* arg = nullptr;
      HRESULT hr = PutArgument(params, &arg, argErr);
      if (FAILED(hr)) return hr;
      bool enabled = true;
      hr = VariantToBool(*arg, &enabled);
      if (FAILED(hr)) {
        if (argErr) *argErr = 0;
        return hr;
      }
      SetEnabled(enabled);
      return S_OK;
    }
    if (flags & DISPATCH_PROPERTYGET) {
      const HRESULT hr = CheckGet(params, argErr);
      if (FAILED(hr)) return hr;
      if (result) {
        VariantInit(result);
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = props_.enabled ? VARIANT_TRUE : VARIANT_FALSE;
      }
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  });
}

}  // namespace tktcom
