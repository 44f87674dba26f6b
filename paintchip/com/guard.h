// COM methods are noexcept; code inside them that can allocate runs through Guarded, which turns
// any C++ exception into an HRESULT so none crosses the interface.
#pragma once

#include <objbase.h>

#include <new>

namespace tktcom {

template <class F>
HRESULT Guarded(F&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// Copies a string into memory the caller frees with CoTaskMemFree.
inline HRESULT TaskMemString(const wchar_t* s, LPOLESTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const size_t n = (lstrlenW(s) + 1) * sizeof(wchar_t);
  auto* p = static_cast<wchar_t*>(CoTaskMemAlloc(n));
  if (!p) return E_OUTOFMEMORY;
  CopyMemory(p, s, n);
  *out = p;
  return S_OK;
}

}  // namespace tktcom
