#include "test_objects.h"

#include <gtest/gtest.h>

#include "paintchip/win/paintchip_ids.h"

namespace pctest {

template <class I>
static HRESULT QueryOne(I* self, REFIID iid, REFIID own, void** out) {
  if (iid == IID_IUnknown || iid == own) {
    *out = self;
    self->AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

// --- EventSink ---

STDMETHODIMP EventSink::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || (acceptEventIid && iid == paintchip::DIID__DPaintChipEvents)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* n) {
  *n = 0;
  return S_OK;
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                               UINT*) {
  EXPECT_EQ(flags, DISPATCH_METHOD);
  Call c{id, VT_EMPTY, 0};
  if (params && params->cArgs >= 1) {
    c.vt = V_VT(&params->rgvarg[0]);
    if (c.vt == VT_I4) c.value = V_I4(&params->rgvarg[0]);
  }
  calls.push_back(c);
  return S_OK;
}

// --- PropertyBag ---

PropertyBag::~PropertyBag() {
  for (auto& [name, v] : items) VariantClear(&v);
}

STDMETHODIMP PropertyBag::QueryInterface(REFIID iid, void** out) { return QueryOne(this, iid, IID_IPropertyBag, out); }

const VARIANT* PropertyBag::Find(const std::wstring& name) const {
  for (const auto& [n, v] : items) {
    if (n == name) return &v;
  }
  return nullptr;
}

void PropertyBag::Set(const std::wstring& name, const VARIANT& v) {
  VARIANT copy;
  VariantInit(&copy);
  VariantCopy(&copy, const_cast<VARIANT*>(&v));
  for (auto& [n, old] : items) {
    if (n == name) {
      VariantClear(&old);
      old = copy;
      return;
    }
  }
  items.emplace_back(name, copy);
}

STDMETHODIMP PropertyBag::Read(LPCOLESTR name, VARIANT* v, IErrorLog*) {
  const VARIANT* found = Find(name);
  if (!found) return E_INVALIDARG;
  const VARTYPE wanted = V_VT(v);
  if (wanted == VT_EMPTY) return VariantCopy(v, const_cast<VARIANT*>(found));
  return VariantChangeType(v, const_cast<VARIANT*>(found), 0, wanted);
}

STDMETHODIMP PropertyBag::Write(LPCOLESTR name, VARIANT* v) {
  Set(name, *v);
  return S_OK;
}

// --- DataObject ---

STDMETHODIMP DataObject::QueryInterface(REFIID iid, void** out) { return QueryOne(this, iid, IID_IDataObject, out); }

STDMETHODIMP DataObject::QueryGetData(FORMATETC* f) {
  if (f->cfFormat != format_) return DV_E_FORMATETC;
  return (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
}

STDMETHODIMP DataObject::GetData(FORMATETC* f, STGMEDIUM* m) {
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

// --- DropAtOnce, RecordingDropTarget ---

STDMETHODIMP DropAtOnce::QueryInterface(REFIID iid, void** out) { return QueryOne(this, iid, IID_IDropSource, out); }

STDMETHODIMP RecordingDropTarget::QueryInterface(REFIID iid, void** out) {
  return QueryOne(this, iid, IID_IDropTarget, out);
}

STDMETHODIMP RecordingDropTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) {
  allowedAtEnter = *effect;
  *effect &= DROPEFFECT_COPY;
  return S_OK;
}

STDMETHODIMP RecordingDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect &= DROPEFFECT_COPY;
  return S_OK;
}

STDMETHODIMP RecordingDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  dropped = true;
  FORMATETC f{static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Color Transfer")), nullptr, DVASPECT_CONTENT, -1,
              TYMED_HGLOBAL};
  STGMEDIUM m{};
  if (SUCCEEDED(data->GetData(&f, &m))) {
    const SIZE_T n = GlobalSize(m.hGlobal);
    const auto* p = static_cast<const BYTE*>(GlobalLock(m.hGlobal));
    bytes.assign(p, p + n);
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
  }
  *effect &= DROPEFFECT_COPY;
  return S_OK;
}

}  // namespace pctest
