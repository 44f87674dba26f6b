// Helpers of the release tests under Wine: shortcuts, registry and file trees (processes and windows: harness.h).
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include "harness.h"

namespace release_test {

using namespace harness;
namespace fs = std::filesystem;

// Build paths arrive as UTF-8 with forward slashes.
inline std::wstring FromBuild(const char* utf8) {
  std::wstring w = Widen(utf8);
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  return w;
}

inline std::string ToAnsi(const std::wstring& w) { return Narrow(w, CP_ACP); }

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file under `root`, as relative paths with backslashes.
inline std::set<std::wstring> FilesUnder(const fs::path& root) {
  std::set<std::wstring> out;
  std::error_code ec;
  if (!fs::exists(root, ec)) return out;
  for (const auto& e : fs::recursive_directory_iterator(root, ec))
    if (e.is_regular_file()) out.insert(e.path().lexically_relative(root).wstring());
  return out;
}

// The text of a dialog's static controls, one after another.
inline std::wstring DialogText(HWND dialog) {
  std::wstring text;
  EnumChildWindows(
      dialog,
      [](HWND c, LPARAM lp) CALLBACK -> BOOL {
        if (ClassOf(c) == L"Static") *reinterpret_cast<std::wstring*>(lp) += WindowText(c);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

struct Shortcut {
  std::wstring target, folder;
};

inline std::optional<Shortcut> ReadShortcut(const fs::path& lnk) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return std::nullopt;
  std::optional<Shortcut> out;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(lnk.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)))
      out = Shortcut{target, folder};
    file->Release();
  }
  link->Release();
  return out;
}

inline void WriteShortcut(const fs::path& lnk, const std::wstring& target, const std::wstring& folder) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link))))
    return;
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(folder.c_str());
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    file->Save(lnk.c_str(), TRUE);
    file->Release();
  }
  link->Release();
}

inline fs::path ShellFolder(int csidl) {
  wchar_t buf[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, 0, buf);
  return buf;
}

inline std::optional<std::wstring> RegText(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t buf[2048];
  DWORD size = sizeof buf;
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buf);
}

inline bool RegKeyExists(HKEY root, const std::wstring& key) {
  HKEY k = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

}  // namespace release_test
