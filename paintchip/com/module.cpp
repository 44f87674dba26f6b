#include "paintchip/com/module.h"

namespace tktcom {
namespace {
HINSTANCE g_module = nullptr;
LONG g_live = 0;
}  // namespace

void SetModuleHandle(HINSTANCE module) { g_module = module; }
HINSTANCE ModuleHandle() { return g_module; }

void ObjectCreated() { InterlockedIncrement(&g_live); }
void ObjectDestroyed() { InterlockedDecrement(&g_live); }
void LockModule(bool lock) { lock ? ObjectCreated() : ObjectDestroyed(); }
long LiveCount() { return InterlockedCompareExchange(&g_live, 0, 0); }

HRESULT CanUnloadNow() { return LiveCount() == 0 ? S_OK : S_FALSE; }

bool ModulePath(wchar_t* buffer, DWORD size) {
  const DWORD n = GetModuleFileNameW(g_module, buffer, size);
  return n > 0 && n < size;
}

}  // namespace tktcom
