#include "paintchip/com/registry.h"

#include <comcat.h>
#include <objbase.h>

#include "wincommon/com.h"
#include "paintchip/com/guard.h"

namespace tktcom {

using tkt::ComPtr;

namespace {

bool HasCategories(REFCLSID clsid) {
  wchar_t key[96] = L"CLSID\\";
  StringFromGUID2(clsid, key + 6, 40);
  lstrcatW(key, L"\\Implemented Categories");
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

}  // namespace

std::wstring Expand(const wchar_t* text, const Substitutions& subs) {
  std::wstring s = text ? text : L"";
  for (const auto& [name, value] : subs) {
    const std::wstring token = L"%" + name + L"%";
    for (size_t at = s.find(token); at != std::wstring::npos; at = s.find(token, at + value.size())) {
      s.replace(at, token.size(), value);
    }
  }
  return s;
}

HRESULT WriteRows(const RegRow* rows, std::size_t count, const Substitutions& subs) noexcept {
  return Guarded([&]() -> HRESULT {
    for (std::size_t i = 0; i < count; ++i) {
      const std::wstring key = Expand(rows[i].key, subs);
      const std::wstring data = Expand(rows[i].data, subs);
      HKEY h = nullptr;
      LSTATUS rc = RegCreateKeyExW(rows[i].root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr);
      if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
      rc = RegSetValueExW(h, rows[i].valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(h);
      if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    }
    return S_OK;
  });
}

HRESULT DeleteTrees(const RegTree* trees, std::size_t count, const Substitutions& subs) noexcept {
  return Guarded([&]() -> HRESULT {
    HRESULT result = S_OK;
    for (std::size_t i = 0; i < count; ++i) {
      const std::wstring key = Expand(trees[i].key, subs);
      const LSTATUS rc = RegDeleteTreeW(trees[i].root, key.c_str());
      if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND && SUCCEEDED(result)) result = HRESULT_FROM_WIN32(rc);
    }
    return result;
  });
}

HRESULT UpdateClassCategories(REFCLSID clsid, const GUID* categories, ULONG count, bool doRegister) noexcept {
  // regsvr32 initialises COM for us, a plain LoadLibrary caller may not have.
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HRESULT hr = S_OK;
  {
    ComPtr<ICatRegister> cats;
    hr = CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister,
                          cats.put_void());
    if (SUCCEEDED(hr)) {
      auto* ids = const_cast<CATID*>(categories);
      if (doRegister) {
        hr = cats->RegisterClassImplCategories(clsid, count, ids);
      } else {
        hr = cats->UnRegisterClassImplCategories(clsid, count, ids);
        // Nothing to remove when the class has no categories (not registered, or only half).
        if (FAILED(hr) && !HasCategories(clsid)) hr = S_OK;
      }
    }
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return hr;
}

std::wstring GuidString(REFGUID guid) {
  wchar_t buf[40] = {};
  StringFromGUID2(guid, buf, 40);
  return buf;
}

}  // namespace tktcom
