// The process's own surroundings, as the Windows programs read them.
#pragma once

#include <windows.h>

#include <string>

namespace tkt {

// The working folder; asked again when it grew between the two calls.
inline std::wstring CurrentDirectory() {
  std::wstring dir;
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  while (n > dir.size()) {
    dir.resize(n);
    n = GetCurrentDirectoryW(DWORD(dir.size()), dir.data());
  }
  dir.resize(n);
  return dir;
}

}  // namespace tkt
