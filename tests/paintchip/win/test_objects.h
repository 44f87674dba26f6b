// COM objects the PaintChip tests hand to the control: an event sink, a property bag, and the
// data object and drop source of a drag that drops at once.
#pragma once

#include <ocidl.h>

#include <string>
#include <utility>
#include <vector>

#include "paintchip/com/com_ptr.h"

namespace pctest {

// Records ColorChanged (or any event) calls: dispid and the first argument as VT_I4.
class EventSink final : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }  // lives on the test's stack
  STDMETHODIMP GetTypeInfoCount(UINT* n) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

  struct Call {
    DISPID id;
    VARTYPE vt;
    LONG value;
  };
  std::vector<Call> calls;
  ULONG refs = 1;
  bool acceptEventIid = true;
};

// An ordered property bag.
class PropertyBag final : public IPropertyBag {
 public:
  ~PropertyBag();
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* v, IErrorLog*) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* v) override;

  const VARIANT* Find(const std::wstring& name) const;
  void Set(const std::wstring& name, const VARIANT& v);
  std::vector<std::pair<std::wstring, VARIANT>> items;
  ULONG refs = 1;
};

// Offers `bytes` under one clipboard format.
class DataObject final : public IDataObject {
 public:
  DataObject(CLIPFORMAT format, std::vector<BYTE> bytes) : format_(format), bytes_(std::move(bytes)) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* m) override;
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* f) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
  ULONG refs = 1;

 private:
  CLIPFORMAT format_;
  std::vector<BYTE> bytes_;
};

// Drops wherever the cursor is, at the first chance.
class DropAtOnce final : public IDropSource {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP QueryContinueDrag(BOOL, DWORD) override { return DRAGDROP_S_DROP; }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
  ULONG refs = 1;
};

// A drop target that keeps what was dropped, for looking at a PaintChip's drag data.
class RecordingDropTarget final : public IDropTarget {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override;
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override;
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override;
  ULONG refs = 1;
  DWORD allowedAtEnter = 0;
  bool dropped = false;
  std::vector<BYTE> bytes;  // the "Color Transfer" data
};

}  // namespace pctest
