// Shared by the platform halves of files.h.
#pragma once

#include <string_view>

namespace faceformat::detail {

// False when the test hook wants this step of WriteFileAtomic to fail.
bool AtomicWriteStepAllowed(std::string_view step);

// Files larger than this are refused by ReadWholeFile: nothing we read is anywhere near it.
inline constexpr unsigned long long kMaxReadBytes = 1ull << 30;

}  // namespace faceformat::detail
