// One clock per settings file: the names a clock goes by, worked out from its file's final path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tkt {

// The final path as the system reports it, made comparable: the "\\?\" (and "\\?\UNC\") prefix dropped,
// '/' as '\', ASCII letters upper case. The caller folds other letters first where the file system does.
std::wstring ComparablePath(std::wstring_view finalPath);

// 64-bit FNV-1a over the UTF-16 units.
uint64_t PathHash(std::wstring_view comparablePath);

struct ClockIdentity {
  std::wstring mutexName;    // held for the clock's lifetime: who runs the clock of this file
  std::wstring positionApp;  // the application name of the stored position
  uint32_t windowTag = 0;    // a window property of the clock, to find it by its file
};

// A path the settings file names, taken relative to the folder of that file unless it has a drive or starts
// at a root. Empty stays empty.
std::wstring ResolveBesideFile(std::wstring_view folder, std::wstring_view path);
// The folder of a file's path with its trailing separator ("C:\" stays a root, not "C:"); empty when none.
std::wstring FolderOf(std::wstring_view path);

// `isDefault`: the working folder's tkt.ini, whose stored position keeps the name "Clock".
ClockIdentity IdentityOf(std::wstring_view comparablePath, bool isDefault);

}  // namespace tkt
