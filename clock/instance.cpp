#include "clock/instance.h"

namespace tkt {

namespace {

std::wstring Hex(uint64_t value, int digits) {
  wchar_t text[17];
  for (int i = digits - 1; i >= 0; --i, value >>= 4) text[i] = L"0123456789ABCDEF"[value & 15];
  return std::wstring(text, size_t(digits));
}

}  // namespace

std::wstring ComparablePath(std::wstring_view path) {
  std::wstring out(path);
  for (wchar_t& c : out) {
    if (c == L'/') c = L'\\';
    if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
  }
  if (out.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + out.substr(8);
  if (out.starts_with(L"\\\\?\\")) return out.substr(4);
  return out;
}

uint64_t PathHash(std::wstring_view path) {
  uint64_t h = 14695981039346656037ull;
  for (wchar_t c : path) {
    h ^= uint16_t(c);
    h *= 1099511628211ull;
  }
  return h;
}

std::wstring ResolveBesideFile(std::wstring_view folder, std::wstring_view path) {
  const bool rooted = !path.empty() && (path[0] == L'\\' || path[0] == L'/');
  const bool drive = path.size() >= 2 && path[1] == L':';
  if (path.empty() || rooted || drive || folder.empty()) return std::wstring(path);
  std::wstring out(folder);
  if (out.back() != L'\\' && out.back() != L'/') out += L'\\';
  return out.append(path);
}

std::wstring FolderOf(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash + 1));
}

ClockIdentity IdentityOf(std::wstring_view comparablePath, bool isDefault) {
  const uint64_t h = PathHash(comparablePath);
  ClockIdentity id;
  id.mutexName = L"Local\\TocktideClock-" + Hex(h, 16);
  // The stored position keeps its old name for the default file, so an update finds it.
  id.positionApp = isDefault ? L"Clock" : L"Clock " + Hex(h >> 32, 8);
  id.windowTag = uint32_t(h) | 1;  // never 0, which GetPropW answers for a window without it
  return id;
}

}  // namespace tkt
