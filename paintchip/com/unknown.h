// IUnknown for objects that serve one interface: one reference count, a QueryInterface that answers IUnknown
// and that interface, and the last Release deleting the object as Derived. Each counts as a module object.
// Derived keeps its destructor private and befriends this base.
#pragma once

#include <objbase.h>

#include "paintchip/com/module.h"

namespace tktcom {

template <class Derived, class Interface, const IID& kIid>
class OneInterfaceObject : public Interface, ModuleObject {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == kIid) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() noexcept override {
    const ULONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete static_cast<Derived*>(this);
    return n;
  }

 protected:
  OneInterfaceObject() = default;
  ~OneInterfaceObject() = default;

 private:
  LONG refs_ = 1;
};

}  // namespace tktcom
