// COM owners on the one template: an interface pointer released once, and memory the callee allocated
// with CoTaskMemAlloc.
#pragma once

#include <objbase.h>

#include "wincommon/handle.h"

namespace tkt {

struct ReleaseInterface {
  void operator()(IUnknown* object) const { object->Release(); }
};
struct FreeCoTaskMem {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};

template <class T>
class ComPtr : public UniqueAny<T*, ReleaseInterface> {
 public:
  using UniqueAny<T*, ReleaseInterface>::UniqueAny;
  T* operator->() const { return this->get(); }
  void** put_void() { return reinterpret_cast<void**>(this->put()); }
};

// A string or block the callee allocated, such as SHGetKnownFolderPath's path.
template <class T>
using CoTaskMem = UniqueAny<T*, FreeCoTaskMem>;

}  // namespace tkt
