// The export's and import's platform: the ANSI code page, the desktop folder and shell links.
#pragma once

#include "designer/model/services.h"

namespace designer::win {

class WinFilesPlatform : public FilesPlatform {
 public:
  std::optional<std::string> ToAnsi(const std::wstring& text) override;
  std::optional<std::wstring> FromAnsi(const std::string& bytes) override;
  std::optional<std::wstring> DesktopFolder() override;
  int32_t CreateShortcut(const std::wstring& link, const std::wstring& target,
                         const std::wstring& workingFolder) override;
};

}  // namespace designer::win
