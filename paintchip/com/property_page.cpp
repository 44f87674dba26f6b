#include "paintchip/com/property_page.h"

#include "paintchip/com/guard.h"

namespace tktcom {

PropertyPage::~PropertyPage() {
  if (dlg_) DestroyWindow(dlg_);
}

STDMETHODIMP PropertyPage::SetPageSite(IPropertyPageSite* site) noexcept {
  // The frame sets a site once and clears it before it releases the page.
  if (site && site_) return E_UNEXPECTED;
  site_ = ComPtr<IPropertyPageSite>::Share(site);
  return S_OK;
}

STDMETHODIMP PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) noexcept {
  if (!rect) return E_POINTER;
  if (dlg_) return E_UNEXPECTED;
  dlg_ = CreateDialogParamW(ModuleHandle(), MAKEINTRESOURCEW(cls_.dialogId), parent, &DialogProc,
                            reinterpret_cast<LPARAM>(this));
  if (!dlg_) return E_OUTOFMEMORY;
  MoveWindow(dlg_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
  return Guarded([&]() -> HRESULT {
    DoDataExchange(false);
    return S_OK;
  });
}

STDMETHODIMP PropertyPage::Deactivate() noexcept {
  if (!dlg_) return E_UNEXPECTED;
  DestroyWindow(dlg_);
  dlg_ = nullptr;
  return S_OK;
}

SIZE PropertyPage::DialogSize() const {
  // Dialog units become pixels only through a real dialog with the template's font: make one
  // under a hidden window, measure it and throw both away.
  SIZE size{0, 0};
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ModuleHandle(), nullptr);
  if (!host) return size;
  HWND dlg = CreateDialogParamW(ModuleHandle(), MAKEINTRESOURCEW(cls_.dialogId), host, &DialogProc, 0);
  if (dlg) {
    RECT r{};
    GetWindowRect(dlg, &r);
    size = {r.right - r.left, r.bottom - r.top};
    DestroyWindow(dlg);
  }
  DestroyWindow(host);
  return size;
}

STDMETHODIMP PropertyPage::GetPageInfo(PROPPAGEINFO* info) noexcept {
  // Some frames leave cb at 0; the structure is the same either way.
  if (!info) return E_POINTER;
  wchar_t caption[128] = {};
  LoadStringW(ModuleHandle(), cls_.captionId, caption, 128);
  info->pszTitle = nullptr;
  info->pszDocString = nullptr;
  info->pszHelpFile = nullptr;
  info->dwHelpContext = 0;
  info->size = DialogSize();
  return TaskMemString(caption, &info->pszTitle);
}

void PropertyPage::ReleaseObjects() { objects_.clear(); }

void PropertyPage::SetDirty() {
  dirty_ = true;
  if (site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

STDMETHODIMP PropertyPage::SetObjects(ULONG count, IUnknown** objects) noexcept {
  if (count && !objects) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    ReleaseObjects();
    for (ULONG i = 0; i < count; ++i) objects_.push_back(ComPtr<IUnknown>::Share(objects[i]));
    if (dlg_) DoDataExchange(false);
    return S_OK;
  });
}

STDMETHODIMP PropertyPage::Show(UINT cmd) noexcept {
  if (!dlg_) return E_UNEXPECTED;
  ShowWindow(dlg_, cmd);
  return S_OK;
}

STDMETHODIMP PropertyPage::Move(LPCRECT rect) noexcept {
  if (!rect) return E_POINTER;
  if (!dlg_) return E_UNEXPECTED;
  MoveWindow(dlg_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
  return S_OK;
}

STDMETHODIMP PropertyPage::Apply() noexcept {
  return Guarded([&]() -> HRESULT {
    if (dlg_) DoDataExchange(true);
    dirty_ = false;
    return S_OK;
  });
}

STDMETHODIMP PropertyPage::TranslateAccelerator(MSG* msg) noexcept {
  if (!msg) return E_POINTER;
  return dlg_ && IsDialogMessageW(dlg_, msg) ? S_OK : S_FALSE;
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND, UINT msg, WPARAM, LPARAM) {
  // The page has no controls of its own to answer for; focus goes where the dialog manager puts it.
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace tktcom
