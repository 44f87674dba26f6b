#include "worldtime/zone_rules.h"

#include <algorithm>
#include <iterator>

namespace worldtime {

namespace {

int32_t Long(const uint8_t* p) { return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24); }
int Word(const uint8_t* p) { return p[0] | p[1] << 8; }

std::optional<TransitionDate> DecodeDate(const uint8_t* p) {
  TransitionDate d{Word(p), Word(p + 2), Word(p + 4), Word(p + 6), Word(p + 8), Word(p + 10), Word(p + 12), Word(p + 14)};
  if (d.month == 0) return TransitionDate{};
  const bool sound = d.month <= 12 && d.dayOfWeek <= 6 && d.hour <= 23 && d.minute <= 59 && d.second <= 59 &&
                     d.millisecond <= 999 && (d.year == 0 ? d.day >= 1 && d.day <= 5 : d.day >= 1 && d.day <= 31);
  if (!sound) return std::nullopt;
  return d;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

constexpr int64_t kMsPerMinute = 60'000;
constexpr int64_t kMsPerDay = 24 * 60 * kMsPerMinute;

int64_t MsFromCivil(const CivilTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kMsPerDay + ((t.hour * 60 + t.minute) * 60 + t.second) * 1000LL +
         t.millisecond;
}

CivilTime CivilFromMs(int64_t ms) {
  int64_t days = ms / kMsPerDay;
  int64_t rest = ms % kMsPerDay;
  if (rest < 0) rest += kMsPerDay, --days;
  CivilTime t = CivilFromDays(days);
  t.hour = int(rest / 3'600'000);
  t.minute = int(rest / kMsPerMinute % 60);
  t.second = int(rest / 1000 % 60);
  t.millisecond = int(rest % 1000);
  return t;
}

// The moment of a change in `year`, in the local time the rule states it in, as ms since 1970.
int64_t TransitionMs(const TransitionDate& d, int year) {
  int day = d.day;
  if (d.year == 0) {
    const int first = DayOfWeek(year, d.month, 1);
    day = 1 + (d.dayOfWeek - first + 7) % 7 + 7 * (d.day - 1);
    while (day > DaysInMonth(year, d.month)) day -= 7;  // week 5: the last such day
  } else {
    day = std::min(day, DaysInMonth(year, d.month));
  }
  return MsFromCivil({year, d.month, day, d.hour, d.minute, d.second, d.millisecond});
}

}  // namespace

std::optional<ZoneRule> DecodeTzi(const uint8_t* bytes, size_t size) {
  if (!bytes || size != 44) return std::nullopt;
  ZoneRule r;
  r.bias = Long(bytes);
  r.standardBias = Long(bytes + 4);
  r.daylightBias = Long(bytes + 8);
  const auto standard = DecodeDate(bytes + 12);
  const auto daylight = DecodeDate(bytes + 28);
  // Fourteen hours either way covers every zone there is; more is not a zone.
  constexpr int kMaxBias = 14 * 60;
  for (int b : {r.bias + r.standardBias, r.bias + r.daylightBias})
    if (b < -kMaxBias || b > kMaxBias) return std::nullopt;
  if (!standard || !daylight) return std::nullopt;
  r.standardDate = *standard;
  r.daylightDate = *daylight;
  return r;
}

const ZoneRule& ZoneRules::ForYear(int year) const {
  if (years.empty()) return base;
  auto it = years.upper_bound(year);
  if (it == years.begin()) return it->second;
  return std::prev(it)->second;
}

CivilTime LocalFromUtc(const ZoneRules& zone, const CivilTime& utc) {
  const int64_t now = MsFromCivil(utc);
  const ZoneRule* rule = &zone.ForYear(utc.year);
  // The year that counts is the local one, which differs from UTC's for a few hours at new year.
  const int year = CivilFromMs(now - (rule->bias + rule->standardBias) * kMsPerMinute).year;
  if (year != utc.year) rule = &zone.ForYear(year);

  const int standardBias = rule->bias + rule->standardBias;
  const int daylightBias = rule->bias + rule->daylightBias;
  bool daylight = false;
  if (rule->daylightDate.month != 0 && rule->standardDate.month != 0) {
    // Both changes in UTC: daylight starts in standard time and ends in daylight time.
    const int64_t starts = TransitionMs(rule->daylightDate, year) + standardBias * kMsPerMinute;
    const int64_t ends = TransitionMs(rule->standardDate, year) + daylightBias * kMsPerMinute;
    daylight = starts < ends ? now >= starts && now < ends : now >= starts || now < ends;
  }
  return CivilFromMs(now - (daylight ? daylightBias : standardBias) * kMsPerMinute);
}

// Howard Hinnant's days_from_civil and civil_from_days.
int64_t DaysFromCivil(int year, int month, int day) {
  const int64_t y = int64_t(year) - (month <= 2);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilTime CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  CivilTime t;
  t.day = int(doy - (153 * mp + 2) / 5 + 1);
  t.month = int(mp < 10 ? mp + 3 : mp - 9);
  t.year = int(yoe + era * 400 + (t.month <= 2));
  return t;
}

int DayOfWeek(int year, int month, int day) {
  const int64_t days = DaysFromCivil(year, month, day);
  return int(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
}

}  // namespace worldtime
