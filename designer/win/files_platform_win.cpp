#include "designer/win/files_platform_win.h"

#include <windows.h>

#include "designer/win/shortcut.h"

namespace designer::win {

std::optional<std::string> WinFilesPlatform::ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  // No best fit: a character the code page lacks must not turn silently into a look-alike or '?'.
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), nullptr, 0,
                                    nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), out.data(), n, nullptr,
                      &usedDefault);
  if (usedDefault) return std::nullopt;
  return out;
}

std::optional<std::wstring> WinFilesPlatform::FromAnsi(const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), out.data(), n);
  return out;
}

std::optional<std::wstring> WinFilesPlatform::DesktopFolder() {
  std::optional<std::wstring> desktop = FindDesktopFolder();
  if (!desktop) return std::nullopt;
  const DWORD attrs = GetFileAttributesW(desktop->c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return desktop;
}

int32_t WinFilesPlatform::CreateShortcut(const std::wstring& link, const std::wstring& target,
                                         const std::wstring& workingFolder) {
  const HRESULT hr = CreateShellLink(link, target, workingFolder);
  return SUCCEEDED(hr) ? 0 : int32_t(hr);
}

}  // namespace designer::win
