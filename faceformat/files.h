// The file boundary: whole-file reads and all-or-nothing writes.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace faceformat {

using tkt::Error, tkt::Result, tkt::Status, tkt::Success;

// A file larger than `maxBytes` is refused before anything is allocated for it.
inline constexpr unsigned long long kMaxReadBytes = 1ull << 30;
Result<std::string> ReadWholeFile(const std::filesystem::path& path, unsigned long long maxBytes = kMaxReadBytes);

// Whether anything is at `path` (a file that cannot be read still exists).
bool FileExists(const std::filesystem::path& path);
// Removes a file; one that is not there counts as removed.
Status RemoveFile(const std::filesystem::path& path);

// Writes to a temporary file in the same folder, flushes it, then replaces `path` in one step.
// On any failure the old file is left as it was and the temporary is removed. A read-only file (no write bit on
// POSIX, the read-only attribute on Windows) is refused, as a plain write would be.
Status WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

// Test hook: called at each step of WriteFileAtomic ("create", "write", "flush", "replace");
// returning false makes that step fail. Empty in production.
void SetAtomicWriteFaultForTesting(std::function<bool(std::string_view step)> hook);

}  // namespace faceformat
