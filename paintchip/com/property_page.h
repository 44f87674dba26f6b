// A property page on a dialog resource: the generic IPropertyPage that a control's page derives from.
#pragma once

#include <ocidl.h>

#include <vector>

#include "wincommon/com.h"
#include "paintchip/com/module.h"
#include "paintchip/com/unknown.h"

namespace tktcom {

using tkt::ComPtr;

struct PropertyPageClass {
  UINT dialogId;   // a child dialog
  UINT captionId;  // string resource: the tab's caption
};

class PropertyPage : public OneInterfaceObject<PropertyPage, IPropertyPage, IID_IPropertyPage> {
 public:
  STDMETHODIMP SetPageSite(IPropertyPageSite* site) noexcept override;
  STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) noexcept override;
  STDMETHODIMP Deactivate() noexcept override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) noexcept override;
  STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) noexcept override;
  STDMETHODIMP Show(UINT cmd) noexcept override;
  STDMETHODIMP Move(LPCRECT rect) noexcept override;
  STDMETHODIMP IsPageDirty() noexcept override { return dirty_ ? S_OK : S_FALSE; }
  STDMETHODIMP Apply() noexcept override;
  STDMETHODIMP Help(LPCOLESTR) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG* msg) noexcept override;

 protected:
  explicit PropertyPage(const PropertyPageClass& cls) : cls_(cls) {}
  virtual ~PropertyPage();
  PropertyPage(const PropertyPage&) = delete;
  PropertyPage& operator=(const PropertyPage&) = delete;

  // Moves values between the dialog's controls and the objects' properties.
  virtual void DoDataExchange(bool toObjects) { (void)toObjects; }
  void SetDirty();  // a control of the page changed; the frame enables "Apply"
  HWND Dialog() const { return dlg_; }
  const std::vector<ComPtr<IUnknown>>& Objects() const { return objects_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
  SIZE DialogSize() const;
  void ReleaseObjects();

  friend OneInterfaceObject;
  const PropertyPageClass& cls_;
  ComPtr<IPropertyPageSite> site_;
  std::vector<ComPtr<IUnknown>> objects_;
  HWND dlg_ = nullptr;
  bool dirty_ = false;
};

}  // namespace tktcom
