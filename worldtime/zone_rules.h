// Time-zone rules as Windows keeps them for each zone (REG_TZI_FORMAT, plus one rule per year for the years
// the rules changed) and the local time they give for a moment in UTC. No system calls: the rules are data,
// so the arithmetic is the same on every machine and is tested anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>

namespace worldtime {

struct CivilTime {
  int year = 1601, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  bool operator==(const CivilTime&) const = default;
};

// A SYSTEMTIME as a rule uses it. With year 0 it recurs: `day` is the week of the month (1 to 4, 5 the
// last) and dayOfWeek counts from Sunday = 0. Otherwise it is one date. Month 0: no change at all.
struct TransitionDate {
  int year = 0, month = 0, dayOfWeek = 0, day = 0;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  bool operator==(const TransitionDate&) const = default;
};

// Biases in minutes, as Windows counts them: UTC = local time + bias.
struct ZoneRule {
  int bias = 0;
  int standardBias = 0, daylightBias = 0;
  TransitionDate standardDate;  // daylight time ends, at this local daylight time
  TransitionDate daylightDate;  // daylight time starts, at this local standard time
  bool operator==(const ZoneRule&) const = default;
};

// REG_TZI_FORMAT: three little-endian LONGs (bias, standard, daylight), then the standard and the
// daylight date as SYSTEMTIMEs; 44 bytes. Anything else, or a field out of range, gives nothing.
std::optional<ZoneRule> DecodeTzi(const uint8_t* bytes, size_t size);

struct ZoneRules {
  ZoneRule base;                   // the zone's rule for years without one of their own
  std::map<int, ZoneRule> years;   // the years the rules changed; before the first and after the last
                                   // year listed, the first and the last rule hold
  const ZoneRule& ForYear(int year) const;
};

CivilTime LocalFromUtc(const ZoneRules& zone, const CivilTime& utc);

// Days since 1970-01-01 and back (proleptic Gregorian).
int64_t DaysFromCivil(int year, int month, int day);
CivilTime CivilFromDays(int64_t days);
int DayOfWeek(int year, int month, int day);  // Sunday = 0

}  // namespace worldtime
