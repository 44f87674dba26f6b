// A small OLE container for the PaintChip tests: a host window, a client site that is also the in-place
// site, control site and ambient-property dispatch, and an in-place frame. It counts the calls a control
// makes and fails the test on calls no control should make. Also the objects the tests hand to the
// control: an event sink, a property bag, and the data object and drop source of a drag that drops at once.
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "wincommon/com.h"
#include "paintchip/win/paintchip_ids.h"

namespace pctest {

using tkt::ComPtr;

// Runs the thread's messages until `done` holds or the deadline passes.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}
inline void PumpPending() { PumpUntil([] { return true; }); }

// QueryInterface of an object with one interface besides IUnknown; the objects live on the test's stack.
#define PCTEST_UNKNOWN(Iface)                                           \
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {       \
    *out = (iid == IID_IUnknown || iid == IID_##Iface) ? this : nullptr; \
    if (!*out) return E_NOINTERFACE;                                    \
    AddRef();                                                           \
    return S_OK;                                                        \
  }                                                                     \
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }             \
  STDMETHODIMP_(ULONG) Release() override { return --refs; }            \
  ULONG refs = 1;

// A child of one visible top-level window for the whole program: under Wine without a window manager,
// destroying a visible top-level window waits two seconds for X to withdraw it.
class HostWindow {
 public:
  HostWindow(int x = 100, int y = 100, int w = 400, int h = 200) {
    static HWND stage = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = DefWindowProcW;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
      wc.lpszClassName = L"PaintChipTestHost";
      RegisterClassW(&wc);
      HWND w = CreateWindowExW(0, wc.lpszClassName, L"PaintChip tests", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                               0, 1024, 768, nullptr, nullptr, wc.hInstance, nullptr);
      SetForegroundWindow(w);
      return w;
    }();
    wnd_ = CreateWindowExW(0, L"PaintChipTestHost", L"PaintChip host", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                           w, h, stage, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(wnd_);
  }
  ~HostWindow() { DestroyWindow(wnd_); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND get() const { return wnd_; }

 private:
  HWND wnd_ = nullptr;
};

class TestFrame final : public IOleInPlaceFrame {
 public:
  explicit TestFrame(HWND host) : host_(host) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    const bool ok = iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow ||
                    iid == IID_IOleInPlaceFrame;
    *out = ok ? this : nullptr;
    if (ok) AddRef();
    return ok ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }  // owned by its site
  STDMETHODIMP GetWindow(HWND* out) override { return *out = host_, S_OK; }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* obj, LPCOLESTR name) override {
    active = ComPtr<IOleInPlaceActiveObject>::Share(obj);
    activeName = name ? name : L"";
    return S_OK;
  }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return Unexpected("InsertMenus"); }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return Unexpected("RemoveMenus"); }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL enable) override {
    modalDepth += enable ? -1 : 1;
    return S_OK;
  }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
  static HRESULT Unexpected(const char* what) {
    ADD_FAILURE() << "unexpected " << what;
    return E_NOTIMPL;
  }

  ULONG refs = 1;
  ComPtr<IOleInPlaceActiveObject> active;
  std::wstring activeName;
  std::atomic<int> modalDepth{0};  // EnableModeless(FALSE) calls not yet undone; read from driver threads

 private:
  HWND host_;
};

class TestSite final : public IOleClientSite, public IOleInPlaceSite, public IOleControlSite, public IDispatch {
 public:
  TestSite(HWND hostWnd, RECT posRect, bool reflect)
      : host(hostWnd), pos(posRect), messageReflect(reflect), frame(new TestFrame(hostWnd)) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    void* p = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) p = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) p = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleControlSite) p = static_cast<IOleControlSite*>(this);
    else if (iid == IID_IDispatch) p = static_cast<IDispatch*>(this);
    *out = p;
    if (!p) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --refs;
    if (n == 0) delete this;
    return n;
  }
  // IOleClientSite
  STDMETHODIMP SaveObject() override { return ++saved, S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    *out = nullptr;
    return TestFrame::Unexpected("GetMoniker");
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override { return *out = nullptr, E_NOINTERFACE; }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
  // IOleWindow / IOleInPlaceSite
  STDMETHODIMP GetWindow(HWND* out) override { return *out = host, S_OK; }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return ++inPlaceActivated, S_OK; }
  STDMETHODIMP OnUIActivate() override { return ++uiActivated, S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** f, IOleInPlaceUIWindow** doc, LPRECT posOut, LPRECT clipOut,
                                LPOLEINPLACEFRAMEINFO info) override {
    frame->AddRef();
    *f = frame;
    *doc = nullptr;
    *posOut = pos;
    GetClientRect(host, clipOut);
    EXPECT_EQ(info->cb, sizeof(OLEINPLACEFRAMEINFO));
    *info = {info->cb, FALSE, host, nullptr, 0};
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return TestFrame::Unexpected("Scroll"); }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return ++uiDeactivated, S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return ++inPlaceDeactivated, S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return TestFrame::Unexpected("DeactivateAndUndo"); }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
  // IOleControlSite
  STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
  STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
  STDMETHODIMP GetExtendedControl(IDispatch** out) override { return *out = nullptr, E_NOTIMPL; }
  STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
  STDMETHODIMP OnFocus(BOOL gotFocus) override { return focusIn += gotFocus ? 1 : 0, S_OK; }
  STDMETHODIMP ShowPropertyFrame() override { return ++propertyFrameAsked, E_NOTIMPL; }  // the control shows its own
  // IDispatch: ambient properties
  STDMETHODIMP GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
    if (!result) return E_INVALIDARG;
    VariantInit(result);
    if (id != DISPID_AMBIENT_MESSAGEREFLECT && id != DISPID_AMBIENT_USERMODE) return DISP_E_MEMBERNOTFOUND;
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = (id == DISPID_AMBIENT_USERMODE || messageReflect) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  ULONG refs = 1;
  HWND host;
  RECT pos;
  bool messageReflect;
  TestFrame* frame;
  int inPlaceActivated = 0, uiActivated = 0, uiDeactivated = 0, inPlaceDeactivated = 0;
  int focusIn = 0, saved = 0, propertyFrameAsked = 0;

 private:
  ~TestSite() {
    EXPECT_EQ(frame->refs, 1u) << "the frame was not released";
    delete frame;
  }
};

// Records ColorChanged (or any event) calls: dispid and the first argument as VT_I4.
class EventSink final : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    const bool ok = iid == IID_IUnknown || iid == IID_IDispatch ||
                    (acceptEventIid && iid == paintchip::DIID__DPaintChipEvents);
    *out = ok ? this : nullptr;
    if (ok) AddRef();
    return ok ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    EXPECT_EQ(flags, DISPATCH_METHOD);
    Call c{id, VT_EMPTY, 0};
    if (params && params->cArgs >= 1) {
      c.vt = V_VT(&params->rgvarg[0]);
      if (c.vt == VT_I4) c.value = V_I4(&params->rgvarg[0]);
    }
    calls.push_back(c);
    return S_OK;
  }

  struct Call {
    DISPID id;
    VARTYPE vt;
    LONG value;
  };
  std::vector<Call> calls;
  ULONG refs = 1;
  bool acceptEventIid = true;
};

// Records the property changes a control reports, as a property browser hears them.
class PropertySink final : public IPropertyNotifySink {
 public:
  PCTEST_UNKNOWN(IPropertyNotifySink)
  STDMETHODIMP OnChanged(DISPID id) override {
    changed.push_back(id);
    return S_OK;
  }
  STDMETHODIMP OnRequestEdit(DISPID) override { return TestFrame::Unexpected("OnRequestEdit"); }
  std::vector<DISPID> changed;
};

// An ordered property bag.
class PropertyBag final : public IPropertyBag {
 public:
  PCTEST_UNKNOWN(IPropertyBag)
  ~PropertyBag() {
    for (auto& item : items) VariantClear(&item.second);
  }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* v, IErrorLog*) override {
    VARIANT* found = Find(name);
    if (!found) return E_INVALIDARG;
    return V_VT(v) == VT_EMPTY ? VariantCopy(v, found) : VariantChangeType(v, found, 0, V_VT(v));
  }
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* v) override {
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, v);
    if (VARIANT* old = Find(name)) {
      VariantClear(old);
      *old = copy;
    } else {
      items.emplace_back(name, copy);
    }
    return S_OK;
  }
  VARIANT* Find(const std::wstring& name) {
    for (auto& item : items) {
      if (item.first == name) return &item.second;
    }
    return nullptr;
  }
  std::vector<std::pair<std::wstring, VARIANT>> items;
};

// Offers `bytes` under one clipboard format.
class DataObject final : public IDataObject {
 public:
  DataObject(CLIPFORMAT format, std::vector<BYTE> bytes) : format_(format), bytes_(std::move(bytes)) {}
  PCTEST_UNKNOWN(IDataObject)
  STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* m) override {
    const HRESULT hr = QueryGetData(f);
    if (hr != S_OK) return hr;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    if (!h) return E_OUTOFMEMORY;
    if (!bytes_.empty()) {
      CopyMemory(GlobalLock(h), bytes_.data(), bytes_.size());
      GlobalUnlock(h);
    }
    m->tymed = TYMED_HGLOBAL;
    m->hGlobal = h;
    m->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* f) override {
    if (f->cfFormat != format_) return DV_E_FORMATETC;
    return (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  CLIPFORMAT format_;
  std::vector<BYTE> bytes_;
};

// Drops wherever the cursor is, at the first chance.
class DropAtOnce final : public IDropSource {
 public:
  PCTEST_UNKNOWN(IDropSource)
  STDMETHODIMP QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_DROP; }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace pctest
