#include "faceformat/files.h"

#include "faceformat/files_internal.h"

namespace faceformat {

namespace {

std::function<bool(std::string_view)>& FaultHook() {
  static std::function<bool(std::string_view)> hook;
  return hook;
}

}  // namespace

void SetAtomicWriteFaultForTesting(std::function<bool(std::string_view step)> hook) { FaultHook() = std::move(hook); }

namespace detail {

bool AtomicWriteStepAllowed(std::string_view step) {
  auto& hook = FaultHook();
  return !hook || hook(step);
}

}  // namespace detail

}  // namespace faceformat
