#include "paintchip/com/class_factory.h"

#include <new>

#include "paintchip/com/module.h"
#include "paintchip/com/unknown.h"

namespace tktcom {
namespace {

// A live factory keeps the module loaded, like any other object of it.
class ClassFactory final : public OneInterfaceObject<ClassFactory, IClassFactory, IID_IClassFactory> {
 public:
  explicit ClassFactory(const ClassEntry& entry) : entry_(entry) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return entry_.create(iid, out);
  }
  STDMETHODIMP LockServer(BOOL lock) noexcept override {
    LockModule(lock != FALSE);
    return S_OK;
  }

 private:
  friend OneInterfaceObject;
  ~ClassFactory() = default;
  const ClassEntry& entry_;
};

}  // namespace

HRESULT GetClassObject(const ClassEntry* table, std::size_t count, REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    if (*table[i].clsid != clsid) continue;
    auto* factory = new (std::nothrow) ClassFactory(table[i]);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace tktcom
