// One generic class factory, fed by the module's table of creatable classes.
#pragma once

#include <objbase.h>

#include <cstddef>

namespace tktcom {

struct ClassEntry {
  const CLSID* clsid;
  HRESULT (*create)(REFIID iid, void** out);  // a new object, no aggregation
};

// DllGetClassObject's work: a factory for the table's class, or CLASS_E_CLASSNOTAVAILABLE.
HRESULT GetClassObject(const ClassEntry* table, std::size_t count, REFCLSID clsid, REFIID iid, void** out);

}  // namespace tktcom
