#include "paths.h"

#include <vector>

namespace designer {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool HasDrive(const std::wstring& p) {
  return p.size() >= 2 && p[1] == L':' && ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z'));
}

bool IsUnc(const std::wstring& p) { return p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1]); }

// The platform's simple upper-case mapping for the letters file names on these systems use: ASCII,
// Latin-1, Greek, Cyrillic and full-width Latin.
wchar_t Upper(wchar_t c) {
  if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
      (c >= 0x430 && c <= 0x44F) || (c >= 0xFF41 && c <= 0xFF5A))
    return wchar_t(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return wchar_t(c - 0x50);
  return c;
}

// "\\server\share" of a UNC path.
std::wstring UncRoot(const std::wstring& p) {
  size_t n = 2;
  for (int part = 0; part < 2 && n < p.size(); ++part) {
    while (n < p.size() && !IsSeparator(p[n])) ++n;
    if (part == 0 && n < p.size()) ++n;
  }
  return p.substr(0, n);
}

// '\' between names, "." and ".." resolved; ".." stops at the root (and at a UNC path's share).
std::wstring Normalised(const std::wstring& p) {
  std::wstring root;
  size_t i = 0, fixed = 0;
  if (IsUnc(p)) {
    root = L"\\\\", i = 2, fixed = 2;
  } else if (HasDrive(p)) {
    root = p.substr(0, 2), i = 2;
    if (i < p.size() && IsSeparator(p[i])) root += L'\\', ++i;
  } else if (!p.empty() && IsSeparator(p[0])) {
    root = L"\\", i = 1;
  }
  std::vector<std::wstring> names;
  while (i <= p.size()) {
    size_t end = i;
    while (end < p.size() && !IsSeparator(p[end])) ++end;
    const std::wstring name = p.substr(i, end - i);
    if (name == L"..") {
      if (names.size() > fixed) names.pop_back();
    } else if (!name.empty() && name != L".") {
      names.push_back(name);
    }
    i = end + 1;
  }
  std::wstring out = root;
  for (size_t k = 0; k < names.size(); ++k) out += (k ? L"\\" : L"") + names[k];
  return out;
}

}  // namespace

std::wstring AbsolutePath(const std::wstring& base, const std::wstring& path) {
  if (path.empty() || base.empty() || IsUnc(path) || (HasDrive(path) && path.size() > 2 && IsSeparator(path[2])))
    return path;
  if (HasDrive(path)) {
    const bool sameDrive = HasDrive(base) && Upper(base[0]) == Upper(path[0]);
    return Normalised((sameDrive ? base : path.substr(0, 2)) + L"\\" + path.substr(2));
  }
  if (IsSeparator(path[0])) {
    if (HasDrive(base)) return Normalised(base.substr(0, 2) + path);
    if (IsUnc(base)) return Normalised(UncRoot(base) + path);
    return path;
  }
  return Normalised(base + L"\\" + path);
}

bool SameFilePath(const std::wstring& a, const std::wstring& b) {
  const std::wstring x = Normalised(a), y = Normalised(b);
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i)
    if (Upper(x[i]) != Upper(y[i])) return false;
  return true;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t at = path.find_last_of(L"\\/");
  return at == std::wstring::npos ? std::wstring() : path.substr(0, at);
}

std::filesystem::path PathFromText(const std::wstring& text) {
#ifdef _WIN32
  return std::filesystem::path(text);
#else
  std::wstring p = text;
  for (wchar_t& c : p) {
    if (c == L'\\') c = L'/';
  }
  return std::filesystem::path(p);
#endif
}

}  // namespace designer
