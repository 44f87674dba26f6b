// The designer's file commands: the export (iniout), the import (reini) and opening the region file
// maker (rgpedit), with what they need of the platform beyond the form's own services.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "designer/model/form.h"

namespace designer {

class FilesPlatform {
 public:
  virtual ~FilesPlatform() = default;
  // Settings files hold text in the ANSI code page. Nothing when a character has no form there
  // (ToAnsi) or the bytes are not valid text (FromAnsi).
  virtual std::optional<std::string> ToAnsi(const std::wstring& text) = 0;
  virtual std::optional<std::wstring> FromAnsi(const std::string& bytes) = 0;
  // The user's desktop folder, or nothing when there is none.
  virtual std::optional<std::wstring> DesktopFolder() = 0;
  // 0 on success, else the platform's error code (an HRESULT on Windows).
  virtual int32_t CreateShortcut(const std::wstring& link, const std::wstring& target,
                                 const std::wstring& workingFolder) = 0;
};

// A path as the designer holds it (a Windows path) for the file system of this build. Host builds use
// '/' between folders, so their tests can give the form a real folder as baseDir.
std::filesystem::path PathFromText(const std::wstring& text);

// Hooks iniout, reini and rgpedit to their handlers. `openMaker` shows the maker and hides the form's window.
void BindFileCommands(DesignerForm& form, FilesPlatform& platform, std::function<void()> openMaker);

}  // namespace designer
