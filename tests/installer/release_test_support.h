// Helpers of the release tests under Wine: processes, windows, shortcuts, registry and file trees.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "faceformat/region.h"

namespace release_test {

namespace fs = std::filesystem;

// Build paths arrive as UTF-8 with forward slashes.
inline std::wstring FromBuild(const char* utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring w(size_t(n > 0 ? n - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w.data(), n);
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  return w;
}

inline std::string ToAnsi(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.c_str(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

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

inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

class Process {
 public:
  Process() = default;
  Process(const std::wstring& commandLine, const std::wstring& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring line = commandLine;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &si, &pi_)) {
      CloseHandle(pi_.hThread);
      pi_.hThread = nullptr;
    }
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
    CloseHandle(pi_.hProcess);
  }
  bool started() const { return pi_.hProcess != nullptr; }
  DWORD id() const { return pi_.dwProcessId; }
  // The exit code, or nothing while it still runs at the deadline.
  std::optional<DWORD> Wait(std::chrono::milliseconds deadline) const {
    if (WaitForSingleObject(pi_.hProcess, DWORD(deadline.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION pi_{};
};

inline std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

// A visible top-level window that `match` accepts, or null.
inline HWND FindTopWindow(const std::function<bool(HWND)>& match) {
  struct Search {
    const std::function<bool(HWND)>& match;
    HWND found = nullptr;
  } search{match};
  EnumWindows(
      [](HWND w, LPARAM lp) CALLBACK -> BOOL {
        auto& s = *reinterpret_cast<Search*>(lp);
        if (!IsWindowVisible(w) || !s.match(w)) return TRUE;
        s.found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::wstring ClassOf(HWND w) {
  wchar_t buf[64] = {};
  GetClassNameW(w, buf, 64);
  return buf;
}

inline DWORD ProcessOf(HWND w) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  return pid;
}

inline std::wstring WindowText(HWND w) {
  wchar_t buf[256] = {};
  GetWindowTextW(w, buf, 256);
  return buf;
}

// A visible top-level window of the process with this class, or null.
inline HWND FindProcessWindow(DWORD pid, const wchar_t* className) {
  return FindTopWindow([&](HWND w) { return ProcessOf(w) == pid && ClassOf(w) == className; });
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

// The window is cut to exactly the union of the region file's runs.
inline bool WindowRegionIs(HWND w, const fs::path& rgp) {
  auto runs = faceformat::ReadRegionFile(rgp);
  if (!runs) return false;
  HRGN expected = CreateRectRgn(0, 0, 0, 0);
  for (const auto& r : *runs) {
    HRGN strip = CreateRectRgn(r.left, r.row, r.left + r.length, r.row + 1);
    CombineRgn(expected, expected, strip, RGN_OR);
    DeleteObject(strip);
  }
  HRGN actual = CreateRectRgn(0, 0, 0, 0);
  const bool equal = GetWindowRgn(w, actual) != ERROR && EqualRgn(expected, actual);
  DeleteObject(expected);
  DeleteObject(actual);
  return equal;
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
