#include "ole_container.h"

#include <gtest/gtest.h>

namespace pctest {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
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

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

namespace {
// One visible top-level window for the whole program: under Wine without a window manager,
// destroying a visible top-level window waits two seconds for X to withdraw it.
HWND Stage() {
  static HWND stage = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"PaintChipTestHost";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"PaintChip tests", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                             1024, 768, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(w);
    return w;
  }();
  return stage;
}
}  // namespace

HostWindow::HostWindow(int x, int y, int w, int h) {
  wnd_ = CreateWindowExW(0, L"PaintChipTestHost", L"PaintChip host", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                         w, h, Stage(), nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(wnd_);
}

HostWindow::~HostWindow() {
  if (wnd_) DestroyWindow(wnd_);
}

// --- TestSite ---

TestSite::TestSite(HWND hostWnd, RECT posRect, bool reflect)
    : host(hostWnd), pos(posRect), messageReflect(reflect), frame(new TestFrame(hostWnd)) {}

TestSite::~TestSite() {
  EXPECT_EQ(frame->refs, 1u) << "the frame was not released";
  delete frame;
}

STDMETHODIMP_(ULONG) TestSite::Release() {
  const ULONG n = --refs;
  if (n == 0) delete this;
  return n;
}

STDMETHODIMP TestSite::QueryInterface(REFIID iid, void** out) {
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

STDMETHODIMP TestSite::SaveObject() {
  ++saved;
  return S_OK;
}

STDMETHODIMP TestSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
  ADD_FAILURE() << "a control has no use for the site's moniker";
  *out = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP TestSite::GetContainer(IOleContainer** out) {
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP TestSite::GetWindow(HWND* out) {
  *out = host;
  return S_OK;
}

STDMETHODIMP TestSite::OnInPlaceActivate() {
  ++inPlaceActivated;
  return S_OK;
}

STDMETHODIMP TestSite::OnUIActivate() {
  ++uiActivated;
  return S_OK;
}

STDMETHODIMP TestSite::GetWindowContext(IOleInPlaceFrame** f, IOleInPlaceUIWindow** doc, LPRECT posOut,
                                        LPRECT clipOut, LPOLEINPLACEFRAMEINFO info) {
  frame->AddRef();
  *f = frame;
  *doc = nullptr;
  *posOut = pos;
  GetClientRect(host, clipOut);
  EXPECT_EQ(info->cb, sizeof(OLEINPLACEFRAMEINFO));
  info->fMDIApp = FALSE;
  info->hwndFrame = host;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP TestSite::Scroll(SIZE) {
  ADD_FAILURE() << "unexpected Scroll";
  return E_NOTIMPL;
}

STDMETHODIMP TestSite::OnUIDeactivate(BOOL) {
  ++uiDeactivated;
  return S_OK;
}

STDMETHODIMP TestSite::OnInPlaceDeactivate() {
  ++inPlaceDeactivated;
  return S_OK;
}

STDMETHODIMP TestSite::DeactivateAndUndo() {
  ADD_FAILURE() << "unexpected DeactivateAndUndo";
  return E_NOTIMPL;
}

STDMETHODIMP TestSite::GetExtendedControl(IDispatch** out) {
  *out = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP TestSite::OnFocus(BOOL gotFocus) {
  ++(gotFocus ? focusIn : focusOut);
  return S_OK;
}

STDMETHODIMP TestSite::ShowPropertyFrame() {
  ++propertyFrameAsked;
  return E_NOTIMPL;  // let the control show its own frame
}

STDMETHODIMP TestSite::GetTypeInfoCount(UINT* n) {
  *n = 0;
  return S_OK;
}

STDMETHODIMP TestSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
  if (!result) return E_INVALIDARG;
  VariantInit(result);
  switch (id) {
    case DISPID_AMBIENT_MESSAGEREFLECT:
      V_VT(result) = VT_BOOL;
      V_BOOL(result) = messageReflect ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    case DISPID_AMBIENT_USERMODE:
      V_VT(result) = VT_BOOL;
      V_BOOL(result) = VARIANT_TRUE;
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

// --- TestFrame ---

STDMETHODIMP TestFrame::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *out = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP TestFrame::GetWindow(HWND* out) {
  *out = host_;
  return S_OK;
}

STDMETHODIMP TestFrame::SetActiveObject(IOleInPlaceActiveObject* obj, LPCOLESTR name) {
  ++activeSet;
  active = ComPtr<IOleInPlaceActiveObject>::Share(obj);
  activeName = name ? name : L"";
  return S_OK;
}

STDMETHODIMP TestFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
  ADD_FAILURE() << "the control has no menus to merge";
  return E_NOTIMPL;
}

STDMETHODIMP TestFrame::RemoveMenus(HMENU) {
  ADD_FAILURE() << "the control has no menus to merge";
  return E_NOTIMPL;
}

}  // namespace pctest
