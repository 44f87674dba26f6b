#include "instance_win.h"

#include <shellapi.h>

#include <vector>

#include "form1_win.h"
#include "wincommon/process.h"

namespace tkt {

namespace {

constexpr wchar_t kTagProperty[] = L"TocktideClockFile";

struct FreeLocal {
  void operator()(LPWSTR* p) const { LocalFree(p); }
};

std::wstring FullPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD n = GetFullPathNameW(path.c_str(), DWORD(full.size()), full.data(), nullptr);
  if (n > full.size()) {
    full.resize(n);
    n = GetFullPathNameW(path.c_str(), DWORD(full.size()), full.data(), nullptr);
  }
  if (n == 0) return path;
  full.resize(n);
  return full;
}

// The path with links followed, as the file system spells it; nothing for a folder or a file not there.
std::optional<std::wstring> FinalPath(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  FileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  if (!file) return std::nullopt;
  std::wstring final(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(file.get(), final.data(), DWORD(final.size()), FILE_NAME_NORMALIZED);
  if (n >= final.size()) {
    final.resize(n + 1);
    n = GetFinalPathNameByHandleW(file.get(), final.data(), DWORD(final.size()), FILE_NAME_NORMALIZED);
  }
  if (n == 0 || n >= final.size()) return path;  // still a file that opens: its full path will do
  final.resize(n);
  return final;
}

std::wstring Comparable(std::wstring path) {
  if (!path.empty()) CharUpperBuffW(path.data(), DWORD(path.size()));
  return ComparablePath(path);
}

HWND FindClock(uint32_t tag) {
  for (HWND w = FindWindowExW(nullptr, nullptr, kForm1Class, nullptr); w;
       w = FindWindowExW(nullptr, w, kForm1Class, nullptr)) {
    if (reinterpret_cast<uintptr_t>(GetPropW(w, kTagProperty)) == tag) return w;
  }
  return nullptr;
}

}  // namespace

std::optional<ClockFile> ClockFileFromCommandLine() {
  int argc = 0;
  UniqueAny<LPWSTR*, FreeLocal> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
  const std::wstring defaultIni = CurrentDirectory() + L"\\tkt.ini";
  const std::optional<std::wstring> defaultFinal = FinalPath(defaultIni);
  if (!argv || argc < 2) {
    // A missing tkt.ini fails at start-up, as it always did.
    return ClockFile{defaultIni, IdentityOf(Comparable(defaultFinal.value_or(FullPath(defaultIni))), true)};
  }
  const std::wstring path = FullPath(argv.get()[1]);
  const std::optional<std::wstring> final = FinalPath(path);
  if (!final) return std::nullopt;
  const std::wstring key = Comparable(*final);
  return ClockFile{path, IdentityOf(key, defaultFinal && Comparable(*defaultFinal) == key)};
}

UINT ReadSettingsMessage() {
  static const UINT message = RegisterWindowMessageW(L"TocktideReadSettingsAgain");
  return message;
}

void TagClockWindow(HWND clock, const ClockFile& file) {
  SetPropW(clock, kTagProperty, reinterpret_cast<HANDLE>(uintptr_t(file.identity.windowTag)));
}

bool SingleClock::Claim(const ClockFile& file, DWORD deadlineMs) {
  mutex_.reset(CreateMutexW(nullptr, TRUE, file.identity.mutexName.c_str()));
  if (!mutex_ || GetLastError() != ERROR_ALREADY_EXISTS) return true;
  // Another start holds the file. Its window shows once its start-up is done; if it ends first, this one
  // takes over.
  const ULONGLONG end = GetTickCount64() + deadlineMs;
  for (;;) {
    if (const HWND running = FindClock(file.identity.windowTag)) {
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(running, ReadSettingsMessage(), 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
      return false;
    }
    const DWORD waited = WaitForSingleObject(mutex_.get(), 50);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return true;
    if (GetTickCount64() >= end) return false;
  }
}

}  // namespace tkt
