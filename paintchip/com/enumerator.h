// A generic IEnumXxx over a snapshot of items. The policy copies an item into the caller's hands
// (adding references it owns) and frees the snapshot's own copies.
#pragma once

#include <objbase.h>

#include <new>
#include <vector>

#include "paintchip/com/guard.h"
#include "paintchip/com/unknown.h"

namespace tktcom {

template <class IEnum, const IID& kIid, class Item, class Policy>
class ArrayEnumerator final : public OneInterfaceObject<ArrayEnumerator<IEnum, kIid, Item, Policy>, IEnum, kIid> {
 public:
  // Takes copies of the items (through the policy).
  static HRESULT Create(const Item* items, size_t count, IEnum** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Guarded([&]() -> HRESULT {
      auto* e = new ArrayEnumerator();
      e->items_.reserve(count);
      for (size_t i = 0; i < count; ++i) {
        Item copy;
        Policy::Copy(copy, items[i]);
        e->items_.push_back(copy);
      }
      *out = e;
      return S_OK;
    });
  }

  STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) noexcept override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    while (n < count && pos_ < items_.size()) Policy::Copy(out[n++], items_[pos_++]);
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) noexcept override {
    const size_t left = items_.size() - pos_;
    if (count > left) {
      pos_ = items_.size();
      return S_FALSE;
    }
    pos_ += count;
    return S_OK;
  }
  STDMETHODIMP Reset() noexcept override {
    pos_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnum** out) noexcept override {
    if (!out) return E_POINTER;
    IEnum* e = nullptr;
    const HRESULT hr = Create(items_.data(), items_.size(), &e);
    if (SUCCEEDED(hr)) static_cast<ArrayEnumerator*>(e)->pos_ = pos_;
    *out = e;
    return hr;
  }

 private:
  friend OneInterfaceObject<ArrayEnumerator, IEnum, kIid>;
  ArrayEnumerator() = default;
  ~ArrayEnumerator() {
    for (Item& item : items_) Policy::Free(item);
  }
  std::vector<Item> items_;
  size_t pos_ = 0;
};

// Policy for interface pointers.
template <class I>
struct InterfaceCopy {
  static void Copy(I*& to, I* from) {
    to = from;
    if (to) to->AddRef();
  }
  static void Free(I*& item) {
    if (item) item->Release();
  }
};

}  // namespace tktcom
