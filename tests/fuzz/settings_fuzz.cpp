// The settings reader on arbitrary bytes: a record it accepts can be written, the written line reads back as
// the same record (singles kept to the file's seven significant digits) and writes out again byte for byte.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "faceformat/settings.h"
#include "fuzz_check.h"

using faceformat::ClockSettings;

namespace {

// Seven significant digits are within half a unit of the seventh digit; reading them back adds at most half a
// single's step (a normal's, or the fixed step of the subnormals).
bool WithinFilePrecision(const std::optional<float>& a, const std::optional<float>& b) {
  if (a.has_value() != b.has_value()) return false;
  if (!a) return true;
  const double x = *a, y = *b;
  return std::fabs(x - y) <= 6e-7 * std::max(std::fabs(x), std::fabs(y)) + 1.5e-45;
}

// Equal, with every single compared at the file's precision.
bool SameRecord(const ClockSettings& a, const ClockSettings& b) {
  ClockSettings x = a, y = b;
  std::optional<float> ClockSettings::*singles[] = {
      &ClockSettings::frameSize,  &ClockSettings::digitalLeft, &ClockSettings::digitalTop,
      &ClockSettings::cuckoo1Left, &ClockSettings::cuckoo1Top, &ClockSettings::cuckoo2Left,
      &ClockSettings::cuckoo2Top};
  for (auto field : singles) {
    if (!WithinFilePrecision(a.*field, b.*field)) return false;
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
  // Settled after one write: the next write is the same line.
  FUZZ_CHECK(faceformat::FormatSettings(*second) == line);
  // The clock's presence tests answer the same for the written record.
  FUZZ_CHECK(first->HasFrame() == second->HasFrame() && first->HasDigital() == second->HasDigital() &&
             first->HasCuckoo1() == second->HasCuckoo1() && first->HasCuckoo2() == second->HasCuckoo2());
  return 0;
}
