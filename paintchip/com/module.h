// The module object: the DLL's handle and the count of live objects and locks that keeps it loaded.
#pragma once

#include <windows.h>

namespace tktcom {

void SetModuleHandle(HINSTANCE module);  // from DllMain, nothing else there
HINSTANCE ModuleHandle();

// Every COM object of the module counts itself from construction to destruction.
void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);  // IClassFactory::LockServer; an unmatched unlock does nothing
long LiveCount();

// S_OK when no object and no lock is alive.
HRESULT CanUnloadNow();

// Base for objects that count themselves; copying would miscount.
class ModuleObject {
 public:
  ModuleObject() { ObjectCreated(); }
  ~ModuleObject() { ObjectDestroyed(); }
  ModuleObject(const ModuleObject&) = delete;
  ModuleObject& operator=(const ModuleObject&) = delete;
};

// Full path of this module for registration (Windows path, never longer than the buffer).
bool ModulePath(wchar_t* buffer, DWORD size);

}  // namespace tktcom
