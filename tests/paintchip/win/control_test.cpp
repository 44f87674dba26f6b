// The control in our container: creation and the module's lifetime, in-place activation, automation, events.
#include "control_fixture.h"

#include <objsafe.h>
#include <oleauto.h>

#include <atomic>
#include <thread>

#include "paintchip/win/paintchip_ids.h"

namespace pctest {
namespace {

using paintchip::CLSID_PaintChip;
using paintchip::CLSID_PaintChipPropPage;
using paintchip::DIID__DPaintChip;
using paintchip::DIID__DPaintChipEvents;

class Creation : public ControlTest {};

TEST_F(Creation, ByClsidAndByProgIdServingTheInterfacesContainersAskFor) {
  CLSID fromProgId{};
  ASSERT_EQ(CLSIDFromProgID(L"PAINTCHIP.PaintChipCtrl.1", &fromProgId), S_OK);
  EXPECT_EQ(fromProgId, CLSID_PaintChip);
  ComPtr<IOleObject> byProgId;
  ASSERT_EQ(CoCreateInstance(fromProgId, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, byProgId.put_void()), S_OK);
  ComPtr<IOleObject> byClsid = NewControl();
  ASSERT_TRUE(byClsid);

  CLSID user{};
  EXPECT_EQ(byProgId->GetUserClassID(&user), S_OK);
  EXPECT_EQ(user, CLSID_PaintChip);
  EXPECT_EQ(GetColor(byClsid.get()), 0);  // a new control is black

  // The interfaces containers ask for, and no others.
  ComPtr<IOleObject>& ctl = byClsid;
  const IID* served[] = {&IID_IDispatch, &DIID__DPaintChip, &IID_IOleInPlaceObject, &IID_IOleInPlaceActiveObject,
                         &IID_IOleControl, &IID_IViewObject2, &IID_IPersistStreamInit, &IID_IPersistStream,
                         &IID_IPersistPropertyBag, &IID_IPersistStorage, &IID_ISpecifyPropertyPages,
                         &IID_IPointerInactive, &IID_IQuickActivate, &IID_IProvideClassInfo2,
                         &IID_IConnectionPointContainer, &IID_IObjectSafety};
  for (const IID* iid : served) {
    ComPtr<IUnknown> p;
    EXPECT_EQ(ctl->QueryInterface(*iid, p.put_void()), S_OK);
  }
  ComPtr<IUnknown> none;
  EXPECT_EQ(ctl->QueryInterface(IID_IDropTarget, none.put_void()), E_NOINTERFACE);
  ComPtr<IPointerInactive> pointer;
  ASSERT_EQ(ctl.As(pointer, IID_IPointerInactive), S_OK);
  DWORD policy = 0;
  EXPECT_EQ(pointer->GetActivationPolicy(&policy), S_OK);
  EXPECT_EQ(policy, static_cast<DWORD>(POINTERINACTIVE_ACTIVATEONENTRY));
}

// The module stays while a class factory lives or is locked; an unlock without a lock counts nothing
// away; the property page cannot be aggregated.
TEST_F(Creation, AFactoryOrALockKeepsTheModule) {
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(OcxModule(), "DllGetClassObject")));
  ASSERT_NE(get, nullptr);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(get(CLSID_PaintChip, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory->Release();
  {
    ComPtr<IOleObject> alive = NewControl();
    EXPECT_EQ(CanUnloadNow(), S_FALSE) << "an unmatched unlock counted a live control away";
  }
  EXPECT_EQ(get(DIID__DPaintChip, IID_IClassFactory, reinterpret_cast<void**>(&factory)), CLASS_E_CLASSNOTAVAILABLE);
  ASSERT_EQ(get(CLSID_PaintChipPropPage, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  ASSERT_EQ(get(CLSID_PaintChipPropPage, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  factory->LockServer(FALSE);
  void* obj = nullptr;
  EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown, &obj), CLASS_E_NOAGGREGATION);
  factory->Release();
}

// Module-wide items (the arrow glyph, the type library) are set up once, whichever apartment comes first,
// while the module is asked whether it may unload.
TEST_F(Creation, ControlsInTwoApartmentsAtOnceDrawTheirGlyphAndFindTheirNames) {
  std::atomic<int> done{0}, notCreated{0}, noGlyph{0}, noName{0};
  auto apartment = [&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (int i = 0; i < 20; ++i) {
      ComPtr<IViewObject> view;
      if (FAILED(CoCreateInstance(CLSID_PaintChip, nullptr, CLSCTX_INPROC_SERVER, IID_IViewObject, view.put_void()))) {
        ++notCreated;
        continue;
      }
      Canvas canvas(80, 20);
      const RECTL bounds{0, 0, 80, 20};
      view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0);
      ComPtr<IDispatch> disp;
      DISPID id = 0;
      LPOLESTR name = const_cast<LPOLESTR>(L"Color");
      if (canvas.At(70, 8) != GetSysColor(COLOR_BTNTEXT)) ++noGlyph;
      if (FAILED(view.As(disp, IID_IDispatch)) || disp->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id) != S_OK ||
          id != 1) {
        ++noName;
      }
    }
    CoUninitialize();
    ++done;
  };
  std::thread a(apartment), b(apartment);
  while (done < 2) CanUnloadNow();
  a.join();
  b.join();
  EXPECT_EQ(notCreated, 0);
  EXPECT_EQ(noGlyph, 0) << "the shared arrow bitmap was busy in the other apartment";
  EXPECT_EQ(noName, 0);
}

class Activation : public ControlTest {};

TEST_F(Activation, InPlaceMakesAnOwnerDrawnButtonAtThePositionAndUiActivationTellsTheFrame) {
  ActiveControl c(true, {20, 30, 100, 50});
  EXPECT_EQ(c.Site().inPlaceActivated, 1);
  HWND wnd = c.Window();
  ASSERT_TRUE(IsWindow(wnd));
  wchar_t cls[32] = {};
  GetClassNameW(wnd, cls, 32);
  EXPECT_EQ(_wcsicmp(cls, L"Button"), 0);
  EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(GetParent(wnd), c.Host());  // the container reflects messages itself
  RECT r{};
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, c.Host(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_TRUE(EqualRect(&r, &c.Site().pos));

  ASSERT_EQ(c.Object()->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &c.Site(), 0, c.Host(), nullptr), S_OK);
  EXPECT_EQ(c.Site().uiActivated, 1);
  EXPECT_TRUE(c.Site().frame->active);
  EXPECT_EQ(c.Site().frame->activeName, L"PaintChip Control");
  EXPECT_EQ(GetFocus(), wnd);
  EXPECT_EQ(c.Site().focusIn, 1);

  ComPtr<IOleInPlaceObject> ip;
  ASSERT_EQ(c.Object()->QueryInterface(IID_IOleInPlaceObject, ip.put_void()), S_OK);
  const RECT moved{5, 6, 85, 26};
  EXPECT_EQ(ip->SetObjectRects(&moved, &moved), S_OK);
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, c.Host(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_TRUE(EqualRect(&r, &moved));

  EXPECT_EQ(ip->InPlaceDeactivate(), S_OK);
  EXPECT_EQ(c.Site().uiDeactivated, 1);
  EXPECT_EQ(c.Site().inPlaceDeactivated, 1);
  EXPECT_FALSE(c.Site().frame->active);
  EXPECT_FALSE(IsWindow(wnd));
  ip.reset();
}

TEST_F(Activation, WithoutReflectionByTheContainerAReflectorWindowCarriesTheButton) {
  ActiveControl c(false, {10, 10, 90, 30});
  HWND wnd = c.Window();
  ASSERT_TRUE(IsWindow(wnd));
  HWND reflector = GetParent(wnd);
  EXPECT_NE(reflector, c.Host());
  EXPECT_EQ(GetParent(reflector), c.Host());
  // The button's own notifications come back to it, not to the container: a click changes nothing.
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(70, 10));
  EXPECT_EQ(GetColor(c.Object()), 0);
  // It has a control id, and the reflector tells its owner-draw messages from a menu's by their type.
  const int id = GetDlgCtrlID(wnd);
  EXPECT_GT(id, IDCONTINUE) << "0, or a dialog's command id that a container would take for its own";
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = id;
  item.hwndItem = wnd;
  EXPECT_EQ(SendMessageW(reflector, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item)), TRUE);
  item.CtlType = ODT_MENU;
  EXPECT_EQ(SendMessageW(reflector, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item)), FALSE);
}

// A host that subclasses the control's window after us, as WinForms does with SetWindowLongPtr.
WNDPROC g_hostNext = nullptr;
int g_hostSawNcDestroy = 0;
LRESULT CALLBACK HostHook(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) ++g_hostSawNcDestroy;
  return CallWindowProcW(g_hostNext, wnd, msg, wp, lp);
}

TEST_F(Activation, AHookTheHostAddsAfterOursStaysInTheChainUntilTheWindowGoes) {
  ActiveControl c(true, {0, 0, 80, 20});
  HWND wnd = c.Window();
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_USERDATA), 0) << "the button's user data is not ours";
  g_hostSawNcDestroy = 0;
  g_hostNext = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostHook)));
  ASSERT_EQ(PutColor(c.Object(), 0x0000FF00), S_OK);
  Canvas canvas(80, 20);
  SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  EXPECT_EQ(canvas.At(30, 10), RGB(0, 255, 0)) << "our procedure is still behind the host's";
  c.Deactivate();
  EXPECT_EQ(g_hostSawNcDestroy, 1) << "unhooking us took the host's hook away";
}

TEST_F(Activation, CloseDeactivatesAndSavesWhenAskedAndDirty) {
  ActiveControl c;
  HWND wnd = c.Window();
  ASSERT_EQ(PutColor(c.Object(), 0x00FF00), S_OK);
  ASSERT_EQ(c.Object()->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
  EXPECT_EQ(c.Site().saved, 1);
  EXPECT_EQ(c.Site().inPlaceDeactivated, 1);
  EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(Activation, AControlReleasedWhileActiveTakesItsWindowAndDropTargetAlong) {
  HostWindow host;
  auto* site = new TestSite(host.get(), {0, 0, 80, 20}, true);
  HWND wnd = nullptr;
  {
    ComPtr<IOleObject> c = NewControl();
    ASSERT_EQ(c->SetClientSite(site), S_OK);
    ASSERT_EQ(c->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, host.get(), nullptr), S_OK);
    ComPtr<IOleWindow> w;
    ASSERT_EQ(c.As(w, IID_IOleWindow), S_OK);
    w->GetWindow(&wnd);
    ASSERT_TRUE(IsWindow(wnd));
  }  // released without Close: the drop target's registration must not outlive the window
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(site->Release(), 0u);
}

class Automation : public ControlTest {};

TEST_F(Automation, NamesComeFromTheTypeLibraryAndTheEventsInterfaceIsNamed) {
  ComPtr<IOleObject> ctl = NewControl();
  ComPtr<IDispatch> disp;
  ASSERT_EQ(ctl.As(disp, IID_IDispatch), S_OK);
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Color"), const_cast<LPOLESTR>(L"enabled"),
                      const_cast<LPOLESTR>(L"Colour")};
  DISPID ids[3] = {};
  EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, &names[0], 1, LOCALE_USER_DEFAULT, &ids[0]), S_OK);
  EXPECT_EQ(ids[0], 1);
  EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, &names[1], 1, LOCALE_USER_DEFAULT, &ids[1]), S_OK);
  EXPECT_EQ(ids[1], DISPID_ENABLED);
  EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, &names[2], 1, LOCALE_USER_DEFAULT, &ids[2]), DISP_E_UNKNOWNNAME);

  ComPtr<IProvideClassInfo2> ci;
  ASSERT_EQ(ctl.As(ci, IID_IProvideClassInfo2), S_OK);
  GUID events{};
  EXPECT_EQ(ci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_EQ(events, DIID__DPaintChipEvents);
}

TEST_F(Automation, ColorAcceptsTheIntegerShapesScriptsPassAndKeepsSystemColours) {
  ComPtr<IOleObject> ctl = NewControl();
  ASSERT_EQ(PutColor(ctl.get(), 0x0000FF00), S_OK);
  EXPECT_EQ(GetColor(ctl.get()), 0x0000FF00);

  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_UI4;
  V_UI4(&v) = 0x80000005;
  ASSERT_EQ(PutProperty(ctl.get(), 1, v), S_OK);
  EXPECT_EQ(static_cast<ULONG>(GetColor(ctl.get())), 0x80000005u);

  V_VT(&v) = VT_R8;  // JScript's 0x80000008
  V_R8(&v) = 2147483656.0;
  ASSERT_EQ(PutProperty(ctl.get(), 1, v), S_OK);
  EXPECT_EQ(static_cast<ULONG>(GetColor(ctl.get())), 0x80000008u);

  // By reference, as VBScript passes a variable, also inside a variant.
  LONG red = 0x000000FF;
  V_VT(&v) = VT_BYREF | VT_I4;
  V_I4REF(&v) = &red;
  ASSERT_EQ(PutProperty(ctl.get(), 1, v), S_OK);
  EXPECT_EQ(GetColor(ctl.get()), 0x000000FF);
  VARIANT inner;
  V_VT(&inner) = VT_I4;
  V_I4(&inner) = 0x00FF0000;
  V_VT(&v) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&v) = &inner;
  ASSERT_EQ(PutProperty(ctl.get(), 1, v), S_OK);
  EXPECT_EQ(GetColor(ctl.get()), 0x00FF0000);
}

TEST_F(Automation, BadCallsAreRefused) {
  ComPtr<IOleObject> ctl = NewControl();
  ComPtr<IDispatch> disp;
  ASSERT_EQ(ctl.As(disp, IID_IDispatch), S_OK);
  VARIANT arg, out;
  VariantInit(&arg);
  V_VT(&arg) = VT_I4;
  V_I4(&arg) = 5;
  DISPPARAMS oneArg{&arg, nullptr, 1, 0};
  EXPECT_EQ(disp->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &oneArg, &out, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(disp->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &none, nullptr, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(disp->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &out, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(disp->Invoke(1, IID_IDispatch, 0, DISPATCH_PROPERTYGET, &none, &out, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);

  // A bad value names its argument: out of range is an overflow (VB's error 6), text a type mismatch.
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS putOne{&arg, &put, 1, 1};
  const struct {
    VARTYPE vt;
    double number;
    const wchar_t* text;
    HRESULT want;
  } bad[] = {{VT_R8, 1e12, nullptr, DISP_E_OVERFLOW},
             {VT_R8, -1e12, nullptr, DISP_E_OVERFLOW},
             {VT_BSTR, 0, L"not a colour", DISP_E_TYPEMISMATCH}};
  for (const auto& b : bad) {
    VariantInit(&arg);
    V_VT(&arg) = b.vt;
    if (b.vt == VT_BSTR) V_BSTR(&arg) = SysAllocString(b.text);
    else V_R8(&arg) = b.number;
    UINT argErr = 99;
    EXPECT_EQ(disp->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &putOne, nullptr, nullptr, &argErr), b.want);
    EXPECT_EQ(argErr, 0u);
    VariantClear(&arg);
  }
  EXPECT_EQ(GetColor(ctl.get()), 0);

  // A named argument other than the put value is not found, for a put and for a get.
  V_VT(&arg) = VT_I4;
  V_I4(&arg) = 5;
  DISPID wrongName = 7;
  DISPPARAMS namedPut{&arg, &wrongName, 1, 1};
  UINT argErr = 99;
  EXPECT_EQ(disp->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &namedPut, nullptr, nullptr, &argErr),
            DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(argErr, 0u);
  EXPECT_EQ(disp->Invoke(DISPID_ENABLED, IID_NULL, 0, DISPATCH_PROPERTYGET, &namedPut, &out, nullptr, nullptr),
            DISP_E_PARAMNOTFOUND);
}

// Script hosts create it without a prompt: safe for untrusted callers on its automation interface,
// for untrusted data on its persistence interfaces, and nothing else.
TEST_F(Automation, ObjectSafetyOffersCallersOnDispatchAndDataOnPersistence) {
  ComPtr<IOleObject> ctl = NewControl();
  ComPtr<IObjectSafety> safety;
  ASSERT_EQ(ctl.As(safety, IID_IObjectSafety), S_OK);
  const DWORD caller = INTERFACESAFE_FOR_UNTRUSTED_CALLER, data = INTERFACESAFE_FOR_UNTRUSTED_DATA;
  const struct {
    const IID* iid;
    DWORD supported;
  } rows[] = {{&IID_IDispatch, caller},         {&DIID__DPaintChip, caller},    {&IID_IPersistStreamInit, data},
              {&IID_IPersistPropertyBag, data}, {&IID_IPersistStorage, data}, {&IID_IOleObject, 0}};
  for (const auto& r : rows) {
    DWORD supported = 99, enabled = 99;
    ASSERT_EQ(safety->GetInterfaceSafetyOptions(*r.iid, &supported, &enabled), S_OK);
    EXPECT_EQ(supported, r.supported);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(*r.iid, r.supported, r.supported), S_OK);
    safety->GetInterfaceSafetyOptions(*r.iid, &supported, &enabled);
    EXPECT_EQ(enabled, r.supported);
  }
  EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, data, data), E_FAIL);
  DWORD supported = 0, enabled = 0;
  EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDropTarget, &supported, &enabled), E_NOINTERFACE);
}

class Events : public ControlTest {};

TEST_F(Events, ColorChangedFiresThroughTheConnectionPointOnlyForNewValues) {
  ComPtr<IOleObject> ctl = NewControl();
  ComPtr<IConnectionPointContainer> cpc;
  ASSERT_EQ(ctl.As(cpc, IID_IConnectionPointContainer), S_OK);
  ComPtr<IConnectionPoint> cp;
  ASSERT_EQ(cpc->FindConnectionPoint(DIID__DPaintChipEvents, cp.put()), S_OK);
  ComPtr<IConnectionPoint> none;
  EXPECT_EQ(cpc->FindConnectionPoint(IID_IDispatch, none.put()), CONNECT_E_NOCONNECTION);

  EventSink sink;
  DWORD cookie = 0;
  ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);
  EXPECT_EQ(cookie, 1u);

  ASSERT_EQ(PutColor(ctl.get(), 0x123456), S_OK);
  ASSERT_EQ(sink.calls.size(), 1u);
  EXPECT_EQ(sink.calls[0].id, 1);
  EXPECT_EQ(sink.calls[0].vt, VT_I4);
  EXPECT_EQ(sink.calls[0].value, 0x123456);

  ASSERT_EQ(PutColor(ctl.get(), 0x123456), S_OK);  // same value: no event
  EXPECT_EQ(sink.calls.size(), 1u);

  ComPtr<IOleControl> oc;
  ASSERT_EQ(ctl.As(oc, IID_IOleControl), S_OK);
  oc->FreezeEvents(TRUE);
  ASSERT_EQ(PutColor(ctl.get(), 0x654321), S_OK);  // a frozen container gets none
  oc->FreezeEvents(FALSE);
  EXPECT_EQ(sink.calls.size(), 1u);
  EXPECT_EQ(GetColor(ctl.get()), 0x654321);

  ASSERT_EQ(cp->Unadvise(cookie), S_OK);
  EXPECT_EQ(cp->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  ASSERT_EQ(PutColor(ctl.get(), 0x111111), S_OK);
  EXPECT_EQ(sink.calls.size(), 1u);
  EXPECT_EQ(sink.refs, 1u);
}

TEST_F(Events, EnumeratorsListThePointAndItsConnections) {
  ComPtr<IOleObject> ctl = NewControl();
  ComPtr<IConnectionPointContainer> cpc;
  ASSERT_EQ(ctl.As(cpc, IID_IConnectionPointContainer), S_OK);
  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(cpc->EnumConnectionPoints(points.put()), S_OK);
  IConnectionPoint* got[3] = {};
  ULONG n = 0;
  EXPECT_EQ(points->Next(3, got, &n), S_FALSE);
  ASSERT_EQ(n, 2u);
  IID iid{};
  got[0]->GetConnectionInterface(&iid);
  EXPECT_EQ(iid, DIID__DPaintChipEvents);
  got[1]->GetConnectionInterface(&iid);
  EXPECT_EQ(iid, IID_IPropertyNotifySink);
  got[1]->Release();
  EXPECT_EQ(points->Clone(nullptr), E_POINTER);

  EventSink a, b, refuses;
  refuses.acceptEventIid = false;
  DWORD ca = 0, cb = 0, cr = 0;
  ASSERT_EQ(got[0]->Advise(&a, &ca), S_OK);
  ASSERT_EQ(got[0]->Advise(&b, &cb), S_OK);
  EXPECT_EQ(got[0]->Advise(&refuses, &cr), CONNECT_E_CANNOTCONNECT);
  ComPtr<IEnumConnections> conns;
  ASSERT_EQ(got[0]->EnumConnections(conns.put()), S_OK);
  ComPtr<IEnumConnections> clone;
  ASSERT_EQ(conns->Clone(clone.put()), S_OK);
  CONNECTDATA cd[3] = {};
  ASSERT_EQ(clone->Next(3, cd, &n), S_FALSE);
  ASSERT_EQ(n, 2u);
  EXPECT_EQ(cd[0].dwCookie, ca);
  EXPECT_EQ(cd[1].dwCookie, cb);
  for (ULONG i = 0; i < n; ++i) cd[i].pUnk->Release();
  EXPECT_EQ(conns->Skip(5), S_FALSE);
  EXPECT_EQ(conns->Reset(), S_OK);

  ASSERT_EQ(PutColor(ctl.get(), 7), S_OK);
  EXPECT_EQ(a.calls.size(), 1u);
  EXPECT_EQ(b.calls.size(), 1u);
  got[0]->Unadvise(ca);
  got[0]->Unadvise(cb);
  got[0]->Release();
  conns.reset();
  clone.reset();
  EXPECT_EQ(a.refs, 1u);
  EXPECT_EQ(b.refs, 1u);
  EXPECT_EQ(refuses.refs, 1u);
}

// Property browsers refresh on OnChanged, for new values only.
TEST_F(Events, PropertyNotifySinksHearOfColorAndEnabledChanges) {
  ComPtr<IOleObject> ctl = NewControl();
  ComPtr<IConnectionPointContainer> cpc;
  ASSERT_EQ(ctl.As(cpc, IID_IConnectionPointContainer), S_OK);
  ComPtr<IConnectionPoint> cp;
  ASSERT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, cp.put()), S_OK);
  PropertySink sink;
  DWORD cookie = 0;
  ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);
  VARIANT off;
  VariantInit(&off);
  V_VT(&off) = VT_BOOL;
  V_BOOL(&off) = VARIANT_FALSE;
  for (int twice = 0; twice < 2; ++twice) {
    ASSERT_EQ(PutColor(ctl.get(), 0x00123456), S_OK);
    ASSERT_EQ(PutProperty(ctl.get(), DISPID_ENABLED, off), S_OK);
  }
  EXPECT_EQ(sink.changed, (std::vector<DISPID>{1, DISPID_ENABLED}));
  ASSERT_EQ(cp->Unadvise(cookie), S_OK);
  EXPECT_EQ(sink.refs, 1u);
}

TEST_F(Events, DisablingThroughEnabledDisablesTheWindow) {
  ActiveControl c;
  HWND wnd = c.Window();
  ASSERT_TRUE(IsWindowEnabled(wnd));
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = VARIANT_FALSE;
  ASSERT_EQ(PutProperty(c.Object(), DISPID_ENABLED, v), S_OK);
  EXPECT_FALSE(IsWindowEnabled(wnd));
  VARIANT got;
  ASSERT_EQ(GetProperty(c.Object(), DISPID_ENABLED, &got), S_OK);
  EXPECT_EQ(V_VT(&got), VT_BOOL);
  EXPECT_EQ(V_BOOL(&got), VARIANT_FALSE);
  V_VT(&v) = VT_I4;  // any value that converts to a boolean
  V_I4(&v) = 1;
  ASSERT_EQ(PutProperty(c.Object(), DISPID_ENABLED, v), S_OK);
  EXPECT_TRUE(IsWindowEnabled(wnd));
}

}  // namespace
}  // namespace pctest
