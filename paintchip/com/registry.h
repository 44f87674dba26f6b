// Table-driven registration: rows of { root, key, value name, data } walked by one loop.
// "%NAME%" in a key or in data is replaced from the caller's substitutions.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tktcom {

struct RegRow {
  HKEY root;
  const wchar_t* key;
  const wchar_t* valueName;  // nullptr: the key's default value
  const wchar_t* data;       // REG_SZ
};

using Substitutions = std::vector<std::pair<std::wstring, std::wstring>>;

std::wstring Expand(const wchar_t* text, const Substitutions& subs);

// Stops at the first row that fails and returns its error.
HRESULT WriteRows(const RegRow* rows, std::size_t count, const Substitutions& subs) noexcept;

struct RegTree {
  HKEY root;
  const wchar_t* key;
};
// Deletes each tree; a tree that is not there counts as deleted.
HRESULT DeleteTrees(const RegTree* trees, std::size_t count, const Substitutions& subs) noexcept;

// Adds or removes the component categories a class implements, through the system's category
// manager (comcat). Removing categories that are not there succeeds.
HRESULT UpdateClassCategories(REFCLSID clsid, const GUID* categories, ULONG count, bool doRegister) noexcept;

std::wstring GuidString(REFGUID guid);  // "{xxxxxxxx-...}"

}  // namespace tktcom
