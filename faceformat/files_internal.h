// Shared by the platform halves of files.h.
#pragma once

#include <filesystem>
#include <new>
#include <stdexcept>
#include <string_view>

#include "base/result.h"

namespace faceformat::detail {

// False when the test hook wants this step of WriteFileAtomic to fail.
bool AtomicWriteStepAllowed(std::string_view step);

#ifdef _WIN32
// After ReplaceFileW(target, temp, backup) failed with `error`: leaves one file at `target`, the new one (then
// the result is success) or else the old one, from the backup when it had been moved there.
tkt::Status FinishFailedReplace(const std::filesystem::path& target, const std::filesystem::path& temp,
                           const std::filesystem::path& backup, unsigned long error);
#endif

// Runs a reader or writer so that running out of memory comes back as its error: the 32-bit programs would
// otherwise end without a word.
template <class F>
auto NoThrow(F&& f, long long where = -1) -> decltype(f()) {
  try {
    return f();
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  return tkt::Error{"out of memory", where};
}

}  // namespace faceformat::detail
