// Shared by the platform halves of files.h.
#pragma once

#include <new>
#include <stdexcept>
#include <string_view>

#include "faceformat/result.h"

namespace faceformat::detail {

// False when the test hook wants this step of WriteFileAtomic to fail.
bool AtomicWriteStepAllowed(std::string_view step);

// Runs a reader or writer so that running out of memory comes back as its error: the 32-bit programs would
// otherwise end without a word.
template <class F>
auto NoThrow(F&& f, long long where = -1) -> decltype(f()) {
  try {
    return f();
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  return Error{"out of memory", where};
}

}  // namespace faceformat::detail
