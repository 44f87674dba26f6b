// The system's own time-zone data: the zones it knows, their display names and rules, and the PC's zone.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "worldtime/zone_rules.h"

namespace worldtime {

struct ZoneEntry {
  std::wstring key;      // "Tokyo Standard Time": what an options file names
  std::wstring display;  // "(UTC+09:00) 大阪、札幌、東京" in the system's language where it has one
  int bias = 0;          // of the zone's standard time, minutes, UTC = local + bias
};

// Every zone in the registry, west to east, then by display name.
std::vector<ZoneEntry> ListTimeZones();
// The key of the PC's own zone; empty when the system does not say.
std::wstring PcTimeZoneKey();
// The display name of a zone the registry knows; empty otherwise.
std::wstring ZoneDisplayName(const std::wstring& key);
// The rules of a zone the registry knows, with its per-year rules; nothing for an unknown key.
std::optional<ZoneRules> ReadZoneRules(const std::wstring& key);

// "Now" on a clock: in its own zone when it has one the system knows, otherwise in the PC's zone.
class ZoneClock {
 public:
  // An empty or unknown key: the PC's zone.
  explicit ZoneClock(const std::wstring& key = {});
  CivilTime Now();
  // True when the time comes from a zone of its own, not the PC's.
  bool OwnZone() const { return rules_.has_value(); }

 private:
  std::optional<ZoneRules> rules_;
  // GetLocalTime asks for the PC's zone on every call, and under Wine that means a look at the zone file
  // every second. The zone is read once an hour instead, and again whenever the time or the zone changes.
  TIME_ZONE_INFORMATION pcZone_{};
  int pcZoneHour_ = -1;  // the UTC hour pcZone_ was read in; -1: read it again
};

}  // namespace worldtime
