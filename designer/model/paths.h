// Windows paths as text: made absolute against a folder and compared as the platform compares them.
// Nothing here looks at the file system.
#pragma once

#include <filesystem>
#include <string>

namespace designer {

// `path` made absolute against the absolute folder `base`: a relative path hangs from `base`, a path rooted
// without a drive takes the drive of `base`, "D:x" hangs from the root of D: unless `base` is on D:. "." and
// ".." are resolved in what is built. Empty stays empty; an absolute path comes back as it is.
std::wstring AbsolutePath(const std::wstring& base, const std::wstring& path);

// Two absolute paths name the same file: case-insensitive, '/' as '\', "." and ".." resolved.
bool SameFilePath(const std::wstring& a, const std::wstring& b);

// The folder part of a path, without its trailing separator; empty when there is none.
std::wstring FolderOf(const std::wstring& path);

// A path as the designer holds it (a Windows path) for the file system of this build. Host builds use
// '/' between folders, so their tests can give the form a real folder as baseDir.
std::filesystem::path PathFromText(const std::wstring& text);

}  // namespace designer
