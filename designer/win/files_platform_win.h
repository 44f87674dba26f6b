// The export's and import's platform: the ANSI code page, the desktop and Startup folders and shell links.
#pragma once

#include "designer/model/services.h"

namespace designer::win {

class WinFilesPlatform : public FilesPlatform {
 public:
  std::optional<std::string> ToAnsi(const std::wstring& text) override;
  std::optional<std::wstring> FromAnsi(const std::string& bytes) override;
  std::optional<std::wstring> DesktopFolder() override;
  int32_t CreateShortcut(const std::wstring& link, const std::wstring& target, const std::wstring& workingFolder,
                         const std::wstring& arguments) override;
  std::optional<std::wstring> StartupFolder() override;
  bool FileExists(const std::wstring& path) override;
  int32_t RemoveFile(const std::wstring& path) override;
};

}  // namespace designer::win
