// OleControl: the generic half of an ActiveX control. It serves the interfaces OLE containers use
// (embedding, in-place activation, drawing, persistence, property pages, events, automation) and
// leaves the control's own drawing, properties and input to a derived class.
// All methods run on the thread of the apartment that created the object.
#pragma once

#include <objsafe.h>
#include <ocidl.h>
#include <olectl.h>

#include "wincommon/com.h"
#include "paintchip/com/connection_point.h"
#include "paintchip/com/module.h"
#include "paintchip/com/prop_exchange.h"

namespace tktcom {

using tkt::ComPtr;

// What a control class gives the framework; all constant.
struct ControlClass {
  const CLSID* clsid;
  const IID* dispatchIid;  // primary dispinterface
  const IID* eventIid;     // default source dispinterface
  const GUID* libid;
  WORD libMajor, libMinor;
  UINT typeNameId;  // string resource: the user type name
  DWORD miscStatus;
  const CLSID* pages;
  ULONG pageCount;
  SIZE initialSize;  // pixels at 96 DPI
  // IObjectSafety: INTERFACESAFE_FOR_UNTRUSTED_CALLER covers IDispatch, INTERFACESAFE_FOR_UNTRUSTED_DATA
  // the persistence interfaces; 0 serves no IObjectSafety.
  DWORD safeFor;
};

// Control flags (the values control frameworks have always used).
constexpr DWORD kPointerInactive = 4;

// Reflected notifications reach the control as OCM_* = OCM__BASE + the original message.
constexpr UINT kReflectBase = OCM__BASE;

// The control's window carries a non-zero child id, as a dialog's controls do, so hosts that route
// notifications or look children up by id find it. Not 1 to 11: a dialog would take a button's
// click with such an id for its own IDOK, IDCANCEL and so on. High, away from the ids that resource
// editors hand out from the bottom.
constexpr int kControlWindowId = 0x7FF0;

class OleControl : public IOleObject,
                   public IOleInPlaceObject,
                   public IOleInPlaceActiveObject,
                   public IOleControl,
                   public IViewObject2,
                   public IPersistStreamInit,
                   public IPersistPropertyBag,
                   public IPersistStorage,
                   public ISpecifyPropertyPages,
                   public IPointerInactive,
                   public IQuickActivate,
                   public IProvideClassInfo2,
                   public IConnectionPointContainer,
                   public IObjectSafety,
                   public IDispatch,
                   ModuleObject {
 public:
  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override;
  STDMETHODIMP_(ULONG) AddRef() noexcept override;
  STDMETHODIMP_(ULONG) Release() noexcept override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) noexcept override;
  STDMETHODIMP GetClientSite(IOleClientSite** out) noexcept override;
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) noexcept override { return S_OK; }
  STDMETHODIMP Close(DWORD saveOption) noexcept override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) noexcept override;
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) noexcept override;
  STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                      LPCRECT pos) noexcept override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** out) noexcept override;
  STDMETHODIMP Update() noexcept override { return S_OK; }
  STDMETHODIMP IsUpToDate() noexcept override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* clsid) noexcept override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* out) noexcept override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) noexcept override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) noexcept override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) noexcept override;
  STDMETHODIMP Unadvise(DWORD cookie) noexcept override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** out) noexcept override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) noexcept override;
  STDMETHODIMP SetColorScheme(LOGPALETTE*) noexcept override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
  STDMETHODIMP GetWindow(HWND* out) noexcept override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() noexcept override;
  STDMETHODIMP UIDeactivate() noexcept override;
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) noexcept override;
  STDMETHODIMP ReactivateAndUndo() noexcept override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(LPMSG) noexcept override { return S_FALSE; }
  STDMETHODIMP OnFrameWindowActivate(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) noexcept override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) noexcept override { return S_OK; }

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) noexcept override;
  STDMETHODIMP OnMnemonic(MSG*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID id) noexcept override;
  STDMETHODIMP FreezeEvents(BOOL freeze) noexcept override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target, HDC targetDC, HDC dc,
                    LPCRECTL bounds, LPCRECTL wbounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                    ULONG_PTR contArg) noexcept override;
  STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) noexcept override;
  STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP Unfreeze(DWORD) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* target, LPSIZEL size) noexcept override;

  // IPersist*, one state behind all three
  STDMETHODIMP GetClassID(CLSID* clsid) noexcept override;
  STDMETHODIMP IsDirty() noexcept override;
  STDMETHODIMP Load(LPSTREAM stream) noexcept override;
  STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) noexcept override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) noexcept override;
  STDMETHODIMP InitNew() noexcept override;
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) noexcept override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) noexcept override;
  STDMETHODIMP InitNew(IStorage* storage) noexcept override;
  STDMETHODIMP Load(IStorage* storage) noexcept override;
  STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) noexcept override;
  STDMETHODIMP SaveCompleted(IStorage* storage) noexcept override;
  STDMETHODIMP HandsOffStorage() noexcept override { return S_OK; }

  // ISpecifyPropertyPages, IPointerInactive, IQuickActivate
  STDMETHODIMP GetPages(CAUUID* pages) noexcept override;
  STDMETHODIMP GetActivationPolicy(DWORD* policy) noexcept override;
  STDMETHODIMP OnInactiveMouseMove(LPCRECT, LONG, LONG, DWORD) noexcept override { return S_OK; }
  STDMETHODIMP OnInactiveSetCursor(LPCRECT, LONG, LONG, DWORD, BOOL setAlways) noexcept override;
  STDMETHODIMP QuickActivate(QACONTAINER* container, QACONTROL* control) noexcept override;
  STDMETHODIMP SetContentExtent(LPSIZEL size) noexcept override;
  STDMETHODIMP GetContentExtent(LPSIZEL size) noexcept override;

  // IProvideClassInfo2, IConnectionPointContainer
  STDMETHODIMP GetClassInfo(ITypeInfo** out) noexcept override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) noexcept override;
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) noexcept override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) noexcept override;

  // IObjectSafety
  STDMETHODIMP GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) noexcept override;
  STDMETHODIMP SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) noexcept override;

  // IDispatch: names from the type library, members through the derived class's switch.
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) noexcept override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) noexcept override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) noexcept override;

 protected:
  explicit OleControl(const ControlClass& cls);
  virtual ~OleControl();
  OleControl(const OleControl&) = delete;
  OleControl& operator=(const OleControl&) = delete;

  // --- what a control provides ---
  // One drawing routine for the window, IViewObject::Draw and tests. `dpi` is the scale to draw the
  // control's own parts at (96: as designed): the window's, or the one a container draws the view at.
  virtual void OnDraw(HDC dc, const RECT& bounds, int dpi) = 0;
  // Persistence: the control names its properties in order (see prop_exchange.h).
  virtual void DoPropExchange(PropExchange& px) = 0;
  // The dispatch switch for the control's own members; DISP_E_MEMBERNOTFOUND for others.
  virtual HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr) = 0;
  virtual DWORD GetControlFlags() const { return 0; }
  // A control that subclasses a system window class names it here (PreCreateWindow).
  virtual const wchar_t* SubclassedClassName() const { return nullptr; }
  virtual DWORD AdjustWindowStyle(DWORD style) const { return style; }
  virtual void OnCreate() {}
  virtual void OnDestroyWindow() {}
  // Messages of the control's window; unhandled ones go to DefaultProc.
  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);

  // --- services for the control ---
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);  // the subclassed class, or DefWindowProc
  HWND ControlWindow() const { return wnd_; }
  // The DPI of the control's window: its container's scale, which it may change while the control lives.
  int WindowDpi() const;
  void InvalidateControl();  // redraw now: the window, or the container's view when there is none
  void SetModifiedFlag() { dirty_ = true; }
  void FireEvent(DISPID id, VARIANTARG* argsLastFirst, UINT count);
  // IPropertyNotifySink::OnChanged to every connected sink (property browsers refresh).
  void PropertyChanged(DISPID id);
  // Around the control's own modal windows, so the container's modeless windows wait.
  void EnableFrameModeless(bool enable);
  bool GetEnabled() const { return props_.enabled; }
  void SetEnabled(bool enabled);
  FrameworkProps& Framework() { return props_; }
  const ControlClass& Class() const { return cls_; }

 private:
  IUnknown* Identity() { return static_cast<IOleObject*>(this); }
  HRESULT InPlaceActivate(bool uiActivate);
  HRESULT CreateControlWindow(HWND parent, const RECT& pos, const RECT& clip);
  void DestroyControlWindow();
  void PlaceWindow(const RECT& pos, const RECT& clip);
  void ReadAmbients();
  HRESULT ShowPropertyPages(HWND parent);
  int ViewDpi(HDC dc, const RECT& bounds) const;
  void ForwardActivationMessage(const MSG* msg);
  DWORD SafetyOptionsFor(REFIID iid) const;
  void AfterLoad();
  HRESULT LoadOrSave(PropExchange& px);
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK ReflectorProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT FrameworkProc(UINT msg, WPARAM wp, LPARAM lp);

  const ControlClass& cls_;
  LONG refs_ = 1;
  FrameworkProps props_;
  bool dirty_ = false;
  int freezeEvents_ = 0;

  ComPtr<IOleClientSite> clientSite_;
  ComPtr<IOleControlSite> controlSite_;
  ComPtr<IOleAdviseHolder> adviseHolder_;
  ComPtr<IAdviseSink> viewSink_;
  DWORD viewAspects_ = 0, viewFlags_ = 0;
  bool messageReflect_ = false;

  ComPtr<IOleInPlaceSite> inPlaceSite_;
  ComPtr<IOleInPlaceFrame> frame_;
  ComPtr<IOleInPlaceUIWindow> uiWindow_;
  ComPtr<IOleInPlaceFrame> modalFrame_;  // told EnableModeless(FALSE) while a modal window is up
  int modalDepth_ = 0;
  bool inPlaceActive_ = false;
  bool uiActive_ = false;

  HWND wnd_ = nullptr;        // the control's window
  HWND reflector_ = nullptr;  // its parent when the container does not reflect notifications
  bool subclassed_ = false;   // through comctl32, so hooks that others add after ours stay in the chain

  ConnectionPoint events_;
  ConnectionPoint propertyNotify_;
  DWORD callerSafety_ = 0, dataSafety_ = 0;  // IObjectSafety options the host enabled
};

}  // namespace tktcom
