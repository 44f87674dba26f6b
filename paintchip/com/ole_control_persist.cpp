// OleControl: persistence through streams, property bags and storages, all through DoPropExchange.
#include "paintchip/com/ole_control.h"

#include <vector>

#include "paintchip/com/guard.h"
#include "paintchip/com/prop_exchange_win.h"

namespace tktcom {
namespace {
constexpr wchar_t kContents[] = L"Contents";  // the stream inside a storage
}  // namespace

HRESULT OleControl::LoadOrSave(PropExchange& px) {
  return Guarded([&]() -> HRESULT {
    DoPropExchange(px);
    return S_OK;
  });
}

// A load or reset changes properties behind the window's back.
void OleControl::AfterLoad() {
  if (wnd_) EnableWindow(wnd_, props_.enabled);
  InvalidateControl();
}

STDMETHODIMP OleControl::GetClassID(CLSID* clsid) noexcept {
  if (!clsid) return E_POINTER;
  *clsid = *cls_.clsid;
  return S_OK;
}

STDMETHODIMP OleControl::IsDirty() noexcept { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP OleControl::InitNew() noexcept {
  ResetExchange px;
  const HRESULT hr = LoadOrSave(px);
  if (FAILED(hr)) return hr;
  AfterLoad();
  dirty_ = false;
  return S_OK;
}

STDMETHODIMP OleControl::Load(LPSTREAM stream) noexcept {
  if (!stream) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    SizeExchange size;
    DoPropExchange(size);
    std::vector<BYTE> bytes(size.Bytes());
    ULONG got = 0;
    while (got < bytes.size()) {
      ULONG n = 0;
      const HRESULT hr = stream->Read(bytes.data() + got, static_cast<ULONG>(bytes.size() - got), &n);
      if (FAILED(hr)) return hr;
      if (n == 0) return STG_E_READFAULT;  // too short: nothing is changed
      got += n;
    }
    StreamExchange px(bytes, StreamExchange::Mode::Load);
    DoPropExchange(px);
    AfterLoad();
    dirty_ = false;
    return S_OK;
  });
}

STDMETHODIMP OleControl::Save(LPSTREAM stream, BOOL clearDirty) noexcept {
  if (!stream) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    std::vector<BYTE> bytes;
    StreamExchange px(bytes, StreamExchange::Mode::Save);
    DoPropExchange(px);
    ULONG written = 0;
    const HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (FAILED(hr)) return hr;
    if (written != bytes.size()) return STG_E_MEDIUMFULL;
    if (clearDirty) dirty_ = false;
    return S_OK;
  });
}

STDMETHODIMP OleControl::GetSizeMax(ULARGE_INTEGER* size) noexcept {
  if (!size) return E_POINTER;
  SizeExchange px;
  const HRESULT hr = LoadOrSave(px);
  size->QuadPart = px.Bytes();
  return hr;
}

STDMETHODIMP OleControl::Load(IPropertyBag* bag, IErrorLog* log) noexcept {
  if (!bag) return E_POINTER;
  BagExchange px(bag, log, BagExchange::Mode::Load);
  HRESULT hr = LoadOrSave(px);
  if (SUCCEEDED(hr)) hr = px.Result();
  AfterLoad();
  if (SUCCEEDED(hr)) dirty_ = false;
  return hr;
}

STDMETHODIMP OleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) noexcept {
  if (!bag) return E_POINTER;
  BagExchange px(bag, nullptr, BagExchange::Mode::Save);
  HRESULT hr = LoadOrSave(px);
  if (SUCCEEDED(hr)) hr = px.Result();
  if (SUCCEEDED(hr) && clearDirty) dirty_ = false;
  return hr;
}

STDMETHODIMP OleControl::InitNew(IStorage* storage) noexcept {
  if (!storage) return E_POINTER;
  return InitNew();
}

STDMETHODIMP OleControl::Load(IStorage* storage) noexcept {
  if (!storage) return E_POINTER;
  ComPtr<IStream> stream;
  const HRESULT hr = storage->OpenStream(kContents, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.put());
  if (FAILED(hr)) return hr;
  return Load(stream.get());
}

STDMETHODIMP OleControl::Save(IStorage* storage, BOOL) noexcept {
  if (!storage) return E_POINTER;
  ComPtr<IStream> stream;
  const HRESULT hr = storage->CreateStream(kContents, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                           stream.put());
  if (FAILED(hr)) return hr;
  // The dirty flag clears in SaveCompleted, when the container has committed.
  return Save(stream.get(), FALSE);
}

STDMETHODIMP OleControl::SaveCompleted(IStorage*) noexcept {
  dirty_ = false;
  return S_OK;
}

}  // namespace tktcom
