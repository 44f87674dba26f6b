#include "paintchip/com/typelib.h"

#include <oleauto.h>

#include "wincommon/com.h"
#include "paintchip/com/module.h"

namespace tktcom {

using tkt::ComPtr;

namespace {

#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif

HRESULT LoadModuleTypeLib(ITypeLib** out) {
  wchar_t path[MAX_PATH];
  if (!ModulePath(path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
  return LoadTypeLibEx(path, REGKIND_NONE, out);
}

// One library per module, shared by controls of every apartment (oleaut32's type libraries are
// free-threaded). A failed load leaves the once open, so a later call tries again.
INIT_ONCE g_once = INIT_ONCE_STATIC_INIT;
ITypeLib* g_cached = nullptr;

struct LoadRequest {
  const GUID* libid;
  WORD major, minor;
  LCID lcid;
  HRESULT result;
};

BOOL CALLBACK LoadOnce(PINIT_ONCE, PVOID param, PVOID*) {
  auto* req = static_cast<LoadRequest*>(param);
  ITypeLib* lib = nullptr;
  req->result = LoadRegTypeLib(*req->libid, req->major, req->minor, req->lcid, &lib);
  // Created without registration (tests, side-by-side): the library is in the module itself.
  if (FAILED(req->result)) req->result = LoadModuleTypeLib(&lib);
  if (FAILED(req->result)) return FALSE;
  g_cached = lib;
  return TRUE;
}

}  // namespace

HRESULT RegisterModuleTypeLib() noexcept {
  wchar_t path[MAX_PATH];
  if (!ModulePath(path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
  ComPtr<ITypeLib> lib;
  HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, lib.put());
  if (FAILED(hr)) return hr;
  return RegisterTypeLib(lib.get(), path, nullptr);
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
  LoadRequest req{&libid, major, minor, lcid, S_OK};
  if (!InitOnceExecuteOnce(&g_once, &LoadOnce, &req, nullptr)) return FAILED(req.result) ? req.result : E_FAIL;
  g_cached->AddRef();
  *out = g_cached;
  return S_OK;
}

HRESULT GetTypeInfoOfGuid(REFGUID libid, WORD major, WORD minor, REFGUID guid, ITypeInfo** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  ComPtr<ITypeLib> lib;
  const HRESULT hr = GetTypeLib(libid, major, minor, LOCALE_USER_DEFAULT, lib.put());
  if (FAILED(hr)) return hr;
  return lib->GetTypeInfoOfGuid(guid, out);
}

void ReleaseTypeLibCache() noexcept {
  if (g_cached) g_cached->Release();
  g_cached = nullptr;
  InitOnceInitialize(&g_once);
}

}  // namespace tktcom
