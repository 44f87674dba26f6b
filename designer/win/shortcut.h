// The desktop and Startup shortcuts to a clock.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace designer {

// The user's desktop folder, or nothing when the shell cannot name one.
std::optional<std::wstring> FindDesktopFolder();
// The user's Startup folder, or nothing when the shell cannot name one.
std::optional<std::wstring> FindStartupFolder();

// Writes a shell link at `linkPath` to `target` with `arguments`, started in `workingFolder`. COM must be
// initialised on the calling thread. Returns the first failing HRESULT.
HRESULT CreateShellLink(const std::wstring& linkPath, const std::wstring& target, const std::wstring& workingFolder,
                        const std::wstring& arguments = {});

struct ShellLinkInfo {
  std::wstring target;
  std::wstring workingFolder;
  std::wstring arguments;
};
// Reads a link back (used by the tests and nothing else).
std::optional<ShellLinkInfo> ReadShellLink(const std::wstring& linkPath);

}  // namespace designer
