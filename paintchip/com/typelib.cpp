#include "paintchip/com/typelib.h"

#include <oleauto.h>

#include "paintchip/com/com_ptr.h"
#include "paintchip/com/module.h"

namespace tktcom {
namespace {

#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif

// One library per module. Type libraries of oleaut32 may be used from any thread; the pointer
// itself is swapped atomically because controls may live in several apartments.
ITypeLib* volatile g_cached = nullptr;

HRESULT LoadModuleTypeLib(ITypeLib** out) {
  wchar_t path[MAX_PATH];
  if (!ModulePath(path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
  return LoadTypeLibEx(path, REGKIND_NONE, out);
}

}  // namespace

HRESULT RegisterModuleTypeLib() noexcept {
  wchar_t path[MAX_PATH];
  if (!ModulePath(path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
  ComPtr<ITypeLib> lib;
  HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, lib.Put());
  if (FAILED(hr)) return hr;
  return RegisterTypeLib(lib.Get(), path, nullptr);
}

HRESULT UnregisterTypeLibrary(REFGUID libid, WORD major, WORD minor) noexcept {
  BSTR path = nullptr;
  if (FAILED(QueryPathOfRegTypeLib(libid, major, minor, LANG_NEUTRAL, &path))) return S_OK;
  SysFreeString(path);
  return UnRegisterTypeLib(libid, major, minor, LANG_NEUTRAL, kSysKind);
}

HRESULT GetTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  ITypeLib* lib = g_cached;
  if (!lib) {
    HRESULT hr = LoadRegTypeLib(libid, major, minor, lcid, &lib);
    // Created without registration (tests, side-by-side): the library is in the module itself.
    if (FAILED(hr)) hr = LoadModuleTypeLib(&lib);
    if (FAILED(hr)) return hr;
    if (InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_cached), lib, nullptr) != nullptr) {
      lib->Release();
      lib = g_cached;
    }
  }
  lib->AddRef();
  *out = lib;
  return S_OK;
}

HRESULT GetTypeInfoOfGuid(REFGUID libid, WORD major, WORD minor, REFGUID guid, ITypeInfo** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  ComPtr<ITypeLib> lib;
  const HRESULT hr = GetTypeLib(libid, major, minor, LOCALE_USER_DEFAULT, lib.Put());
  if (FAILED(hr)) return hr;
  return lib->GetTypeInfoOfGuid(guid, out);
}

void ReleaseTypeLibCache() noexcept {
  void* lib = InterlockedExchangePointer(reinterpret_cast<void* volatile*>(&g_cached), nullptr);
  if (lib) static_cast<ITypeLib*>(lib)->Release();
}

}  // namespace tktcom
