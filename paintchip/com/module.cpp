#include "paintchip/com/module.h"

namespace tktcom {
namespace {
HINSTANCE g_module = nullptr;
LONG g_live = 0;
LONG g_locks = 0;
}  // namespace

void SetModuleHandle(HINSTANCE module) { g_module = module; }
HINSTANCE ModuleHandle() { return g_module; }

void ObjectCreated() { InterlockedIncrement(&g_live); }
void ObjectDestroyed() { InterlockedDecrement(&g_live); }
void LockModule(bool lock) {
  if (lock) {
    InterlockedIncrement(&g_locks);
    return;
  }
  // An unlock without a lock must not count live objects away.
  for (LONG n = InterlockedCompareExchange(&g_locks, 0, 0); n > 0;) {
    const LONG seen = InterlockedCompareExchange(&g_locks, n - 1, n);
    if (seen == n) return;
    n = seen;
  }
}

long LiveCount() { return InterlockedCompareExchange(&g_live, 0, 0) + InterlockedCompareExchange(&g_locks, 0, 0); }

HRESULT CanUnloadNow() { return LiveCount() == 0 ? S_OK : S_FALSE; }

bool ModulePath(wchar_t* buffer, DWORD size) {
  const DWORD n = GetModuleFileNameW(g_module, buffer, size);
  return n > 0 && n < size;
}

}  // namespace tktcom
