// The settings reader on arbitrary bytes: a record it accepts can be written, and reading the written line
// gives the record back. Singles are kept to the file's seven significant digits, so they are compared at
// that precision on the first trip and exactly on the second.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "faceformat/settings.h"
#include "fuzz_check.h"

using faceformat::ClockSettings;

namespace {

bool SameAtFilePrecision(const std::optional<float>& a, const std::optional<float>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || faceformat::FormatSingle(*a) == faceformat::FormatSingle(*b);
}

// Equal, with every single compared as written.
bool SameRecord(const ClockSettings& a, const ClockSettings& b) {
  ClockSettings x = a, y = b;
  std::optional<float> ClockSettings::*singles[] = {
      &ClockSettings::frameSize,  &ClockSettings::digitalLeft, &ClockSettings::digitalTop,
      &ClockSettings::cuckoo1Left, &ClockSettings::cuckoo1Top, &ClockSettings::cuckoo2Left,
      &ClockSettings::cuckoo2Top};
  for (auto field : singles) {
    if (!SameAtFilePrecision(a.*field, b.*field)) return false;
    x.*field = y.*field;
  }
  return x == y;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto first = faceformat::ParseSettings(text);
  if (!first) {
    FUZZ_CHECK(first.error().where >= 1 && first.error().where <= faceformat::kSettingsFieldCount);
    return 0;
  }
  FUZZ_CHECK(faceformat::CheckSettingsWritable(*first).ok());
  const std::string line = faceformat::FormatSettings(*first);
  FUZZ_CHECK(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
  auto second = faceformat::ParseSettings(line);
  FUZZ_CHECK(second.ok());
  FUZZ_CHECK(SameRecord(*first, *second));
  auto third = faceformat::ParseSettings(faceformat::FormatSettings(*second));
  FUZZ_CHECK(third.ok());
  FUZZ_CHECK(*third == *second);
  // The clock's presence tests answer the same for the written record.
  FUZZ_CHECK(first->HasFrame() == second->HasFrame() && first->HasDigital() == second->HasDigital() &&
             first->HasCuckoo1() == second->HasCuckoo1() && first->HasCuckoo2() == second->HasCuckoo2());
  return 0;
}
