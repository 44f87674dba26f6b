// The module's type library: registration from its TYPELIB 1 resource and a cache for type information.
#pragma once

#include <oaidl.h>

namespace tktcom {

// Loads TYPELIB 1 of this module and registers it.
HRESULT RegisterModuleTypeLib() noexcept;
// A library that is not registered counts as unregistered.
HRESULT UnregisterTypeLibrary(REFGUID libid, WORD major, WORD minor) noexcept;

// The registered library for the locale, else the module's own resource; loaded once for the process,
// whichever thread asks first, and kept until the module unloads.
HRESULT GetTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** out) noexcept;
HRESULT GetTypeInfoOfGuid(REFGUID libid, WORD major, WORD minor, REFGUID guid, ITypeInfo** out) noexcept;
// Drops the cached library: at process detach, when no thread can be using it.
void ReleaseTypeLibCache() noexcept;

}  // namespace tktcom
