#include "control_fixture.h"

#include <algorithm>

#include "paintchip/win/paintchip_ids.h"

namespace pctest {
namespace {
HMODULE g_module = nullptr;

template <class F>
F Export(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(OcxModule(), name)));
}
}  // namespace

std::wstring WinePath(const char* unixPath) {
  std::wstring p = L"Z:";
  for (const char* c = unixPath; *c; ++c) p += (*c == '/') ? L'\\' : static_cast<wchar_t>(*c);
  return p;
}

std::wstring OcxPath() { return WinePath(PAINTCHIP_OCX); }

HMODULE OcxModule() { return g_module; }

HRESULT CanUnloadNow() {
  auto fn = Export<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow");
  return fn ? fn() : E_FAIL;
}

void RegisteredModule::SetUp() {
  ASSERT_EQ(OleInitialize(nullptr), S_OK);
  g_module = LoadLibraryW(OcxPath().c_str());
  ASSERT_NE(g_module, nullptr) << "cannot load " << PAINTCHIP_OCX;
  auto reg = Export<HRESULT(STDAPICALLTYPE*)()>("DllRegisterServer");
  ASSERT_EQ(reg(), S_OK);
}

void RegisteredModule::TearDown() {
  auto unreg = Export<HRESULT(STDAPICALLTYPE*)()>("DllUnregisterServer");
  EXPECT_EQ(unreg(), S_OK);
  CoFreeUnusedLibraries();
  FreeLibrary(g_module);
  OleUninitialize();
}

ComPtr<IOleObject> NewControl() {
  ComPtr<IOleObject> obj;
  EXPECT_EQ(CoCreateInstance(paintchip::CLSID_PaintChip, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, obj.put_void()),
            S_OK);
  return obj;
}

HRESULT PutProperty(IUnknown* control, DISPID id, VARIANT value) {
  ComPtr<IDispatch> disp;
  HRESULT hr = control->QueryInterface(IID_IDispatch, disp.put_void());
  if (FAILED(hr)) return hr;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

HRESULT GetProperty(IUnknown* control, DISPID id, VARIANT* value) {
  ComPtr<IDispatch> disp;
  HRESULT hr = control->QueryInterface(IID_IDispatch, disp.put_void());
  if (FAILED(hr)) return hr;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VariantInit(value);
  return disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, value,
                      nullptr, nullptr);
}

HRESULT PutColor(IUnknown* control, LONG color) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = color;
  return PutProperty(control, paintchip::kDispidColor, v);
}

LONG GetColor(IUnknown* control) {
  VARIANT v;
  EXPECT_EQ(GetProperty(control, paintchip::kDispidColor, &v), S_OK);
  EXPECT_EQ(V_VT(&v), VT_I4);
  return V_I4(&v);
}

// --- ActiveControl ---

ActiveControl::ActiveControl(bool messageReflect, RECT pos, int hostX, int hostY)
    : host_(hostX, hostY), site_(new TestSite(host_.get(), pos, messageReflect)), object_(NewControl()) {
  if (!object_) return;
  EXPECT_EQ(object_->SetClientSite(site_), S_OK);
  EXPECT_EQ(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, host_.get(), &pos), S_OK);
  PumpPending();
}

HWND ActiveControl::Window() const {
  ComPtr<IOleInPlaceObject> ip;
  HWND wnd = nullptr;
  if (object_ && SUCCEEDED(object_.As(ip, IID_IOleInPlaceObject))) ip->GetWindow(&wnd);
  return wnd;
}

void ActiveControl::Deactivate() {
  if (!object_) return;
  EXPECT_EQ(object_->Close(OLECLOSE_NOSAVE), S_OK);
  EXPECT_EQ(object_->SetClientSite(nullptr), S_OK);
  object_.reset();
}

ActiveControl::~ActiveControl() {
  Deactivate();
  PumpPending();
  // The control let go of its site and of the frame.
  EXPECT_EQ(site_->Release(), 0u) << "the control kept its site";
}

void ControlTest::TearDown() {
  PumpPending();
  EXPECT_EQ(CanUnloadNow(), S_OK) << "an object of the module is still alive";
}

// --- Canvas ---

Canvas::Canvas(int w, int h) : dib_(tkt::DibSection::Create(w, h)) { dc_.Select(dib_.bitmap.get()); }

COLORREF Canvas::At(int x, int y) const {
  GdiFlush();
  const uint32_t px = dib_.At(x, y);  // 0x00RRGGBB
  return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

void Canvas::Fill(COLORREF c) {
  std::fill_n(dib_.pixels, size_t(dib_.width) * dib_.height,
              uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c));
}

}  // namespace pctest
