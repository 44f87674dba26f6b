// COM owners on the one template: an interface pointer released once, and memory the callee allocated
// with CoTaskMemAlloc.
#pragma once

#include <objbase.h>

#include <cstddef>

#include "wincommon/handle.h"

namespace tkt {

struct ReleaseInterface {
  void operator()(IUnknown* object) const { object->Release(); }
};
struct FreeCoTaskMem {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};

// Attach takes over a reference the caller already owns; Share adds one of its own.
template <class T>
class ComPtr : public UniqueAny<T*, ReleaseInterface> {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  static ComPtr Attach(T* p) { return ComPtr(p); }
  static ComPtr Share(T* p) {
    if (p) p->AddRef();
    return ComPtr(p);
  }
  T* operator->() const { return this->get(); }
  void** put_void() { return reinterpret_cast<void**>(this->put()); }
  // A new reference for an out-parameter.
  T* Copy() const {
    if (T* p = this->get()) p->AddRef();
    return this->get();
  }
  template <class U>
  HRESULT As(ComPtr<U>& out, REFIID iid) const {
    if (!this->get()) return E_POINTER;
    return this->get()->QueryInterface(iid, out.put_void());
  }

 private:
  explicit ComPtr(T* p) : UniqueAny<T*, ReleaseInterface>(p) {}
};

// A string or block the callee allocated, such as SHGetKnownFolderPath's path.
template <class T>
using CoTaskMem = UniqueAny<T*, FreeCoTaskMem>;

}  // namespace tkt
