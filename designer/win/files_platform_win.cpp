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
                                         const std::wstring& workingFolder) {
  const HRESULT hr = CreateShellLink(link, target, workingFolder);
  return SUCCEEDED(hr) ? 0 : int32_t(hr);
}

}  // namespace designer::win
