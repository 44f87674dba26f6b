#include "designer/win/files_platform_win.h"

#include <windows.h>

#include "designer/win/shortcut.h"
#include "wincommon/text.h"

namespace designer::win {

// Exact both ways: a character the code page lacks must not turn silently into a look-alike or '?'.
std::optional<std::string> WinFilesPlatform::ToAnsi(const std::wstring& text) { return tkt::ExactWideToAnsi(text); }

std::optional<std::wstring> WinFilesPlatform::FromAnsi(const std::string& bytes) { return tkt::ExactAnsiToWide(bytes); }

std::optional<std::wstring> WinFilesPlatform::DesktopFolder() {
  std::optional<std::wstring> desktop = FindDesktopFolder();
  if (!desktop) return std::nullopt;
  const DWORD attrs = GetFileAttributesW(desktop->c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return desktop;
}

int32_t WinFilesPlatform::CreateShortcut(const std::wstring& link, const std::wstring& target,
                                         const std::wstring& workingFolder, const std::wstring& arguments) {
  const HRESULT hr = CreateShellLink(link, target, workingFolder, arguments);
  return SUCCEEDED(hr) ? 0 : int32_t(hr);
}

std::optional<std::wstring> WinFilesPlatform::StartupFolder() {
  std::optional<std::wstring> startup = FindStartupFolder();
  if (!startup) return std::nullopt;
  const DWORD attrs = GetFileAttributesW(startup->c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return startup;
}

bool WinFilesPlatform::FileExists(const std::wstring& path) {
  const DWORD attrs = GetFileAttributesW(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

int32_t WinFilesPlatform::RemoveFile(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) return 0;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : int32_t(error);
}

}  // namespace designer::win
