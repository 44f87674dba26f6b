#include "paintchip/win/color_drag.h"

#include <new>
#include <optional>

#include "paintchip/com/enumerator.h"
#include "paintchip/com/module.h"
#include "paintchip/drag_data.h"

namespace paintchip {
namespace {

using tkt::ComPtr;

struct FormatCopy {
  static void Copy(FORMATETC& to, const FORMATETC& from) { to = from; }  // ptd is always null here
  static void Free(FORMATETC&) {}
};
using FormatEnum = tktcom::ArrayEnumerator<IEnumFORMATETC, IID_IEnumFORMATETC, FORMATETC, FormatCopy>;

FORMATETC ColorFormat(DWORD tymed) { return {ColorTransferFormat(), nullptr, DVASPECT_CONTENT, -1, tymed}; }

// One offer: a 4-byte block under "Color Transfer". Each GetData hands out a copy.
class ColorDataObject final : public tktcom::OneInterfaceObject<ColorDataObject, IDataObject, IID_IDataObject> {
 public:
  explicit ColorDataObject(HGLOBAL block) : block_(block) {}


  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override {
    if (!format || !medium) return E_POINTER;
    const HRESULT hr = QueryGetData(format);
    if (hr != S_OK) return hr;
    const SIZE_T size = GlobalSize(block_);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return E_OUTOFMEMORY;
    void* to = GlobalLock(copy);
    const void* from = GlobalLock(block_);
    CopyMemory(to, from, size);
    GlobalUnlock(block_);
    GlobalUnlock(copy);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) noexcept override {
    if (!format) return E_POINTER;
    if (format->cfFormat != ColorTransferFormat()) return DV_E_FORMATETC;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return S_OK;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) noexcept override {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    const FORMATETC formats[] = {ColorFormat(TYMED_HGLOBAL)};
    return FormatEnum::Create(formats, 1, out);
  }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  STDMETHODIMP DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  friend OneInterfaceObject;
  ~ColorDataObject() { GlobalFree(block_); }
  HGLOBAL block_;
};

class ColorDropSource final : public tktcom::OneInterfaceObject<ColorDropSource, IDropSource, IID_IDropSource> {
 public:
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) noexcept override {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
  }
  STDMETHODIMP GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  friend OneInterfaceObject;
  ~ColorDropSource() = default;
};

// The colour a drop carries; data shorter than 4 bytes is refused.
std::optional<COLORREF> ReadDroppedColor(IDataObject* data) {
  FORMATETC format = ColorFormat(TYMED_HGLOBAL | TYMED_ISTREAM);
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return std::nullopt;
  std::optional<COLORREF> color;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    const SIZE_T size = GlobalSize(medium.hGlobal);
    if (const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(medium.hGlobal))) {
      color = DecodeDragColor(bytes, size);
      GlobalUnlock(medium.hGlobal);
    }
  } else if (medium.tymed == TYMED_ISTREAM && medium.pstm) {
    std::uint8_t bytes[kDragDataSize] = {};
    ULONG got = 0, n = 0;
    while (got < kDragDataSize && SUCCEEDED(medium.pstm->Read(bytes + got, kDragDataSize - got, &n)) && n > 0) {
      got += n;
    }
    color = DecodeDragColor(bytes, got);
  }
  ReleaseStgMedium(&medium);
  return color;
}

bool OffersColor(IDataObject* data) {
  if (!data) return false;
  FORMATETC global = ColorFormat(TYMED_HGLOBAL), stream = ColorFormat(TYMED_ISTREAM);
  return data->QueryGetData(&global) == S_OK || data->QueryGetData(&stream) == S_OK;
}

DWORD CopyIfOffered(bool offered, DWORD allowed) { return offered ? (allowed & DROPEFFECT_COPY) : DROPEFFECT_NONE; }

}  // namespace

CLIPFORMAT ColorTransferFormat() {
  static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(kColorTransferFormat));
  return format;
}

void StartColorDrag(COLORREF color) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kDragDataSize);
  if (!block) return;
  if (auto* p = static_cast<std::uint8_t*>(GlobalLock(block))) {
    const auto bytes = EncodeDragColor(color);
    CopyMemory(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
  } else {
    GlobalFree(block);
    return;
  }
  auto* data = new (std::nothrow) ColorDataObject(block);
  if (!data) {
    GlobalFree(block);
    return;
  }
  ComPtr<IDataObject> offer = ComPtr<IDataObject>::Attach(data);
  ComPtr<IDropSource> source = ComPtr<IDropSource>::Attach(new (std::nothrow) ColorDropSource());
  if (!source) return;
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(offer.get(), source.get(), DROPEFFECT_COPY, &effect);  // the outcome is not needed
}

// --- drop target ---

ComPtr<ColorDropTarget> ColorDropTarget::Create(ColorDropReceiver* receiver) {
  return ComPtr<ColorDropTarget>::Attach(new (std::nothrow) ColorDropTarget(receiver));
}

ColorDropTarget::ColorDropTarget(ColorDropReceiver* receiver) : receiver_(receiver) {}

STDMETHODIMP ColorDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
  if (!effect) return E_INVALIDARG;
  // Entering already says "copy": a drop that follows at once, before any move, must not be lost.
  offered_ = receiver_ && OffersColor(data);
  *effect = CopyIfOffered(offered_, *effect);
  return S_OK;
}

STDMETHODIMP ColorDropTarget::DragOver(DWORD, POINTL, DWORD* effect) noexcept {
  if (!effect) return E_INVALIDARG;
  *effect = CopyIfOffered(offered_, *effect);
  return S_OK;
}

STDMETHODIMP ColorDropTarget::DragLeave() noexcept {
  offered_ = false;
  return S_OK;
}

STDMETHODIMP ColorDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
  if (!effect) return E_INVALIDARG;
  offered_ = false;
  const bool copyAllowed = (*effect & DROPEFFECT_COPY) != 0;
  const std::optional<COLORREF> color = data && receiver_ && copyAllowed ? ReadDroppedColor(data) : std::nullopt;
  if (!color) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  *effect = DROPEFFECT_COPY;
  receiver_->OnColorDropped(*color);
  return S_OK;
}

}  // namespace paintchip
