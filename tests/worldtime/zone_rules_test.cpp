// Local time from UTC under rules given as data, worked by hand from the calendar: the changes of
// daylight time on both hemispheres, years whose rules changed, offsets at :30 and :45, new year.
#include "worldtime/zone_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace worldtime {
namespace {

CivilTime T(int y, int mo, int d, int h, int mi, int s = 0) { return {y, mo, d, h, mi, s, 0}; }

// Recurring dates: week of the month (5 the last), Sunday = 0.
TransitionDate Nth(int month, int week, int hour) { return {0, month, 0, week, hour, 0, 0, 0}; }

ZoneRule Rule(int bias, TransitionDate standard = {}, TransitionDate daylight = {}) {
  return {bias, 0, daylight.month ? -60 : 0, standard, daylight};
}

const ZoneRule kEastern2007 = Rule(300, Nth(11, 1, 2), Nth(3, 2, 2));
const ZoneRule kEastern1987 = Rule(300, Nth(10, 5, 2), Nth(4, 1, 2));
const ZoneRules kEastern{kEastern2007, {{2006, kEastern1987}, {2007, kEastern2007}}};
const ZoneRules kSydney{Rule(-600, Nth(4, 1, 3), Nth(10, 1, 2)), {}};
const ZoneRules kIndia{Rule(-330), {}}, kNepal{Rule(-345), {}}, kTokyo{Rule(-540), {}};

struct Case {
  const char* what;
  const ZoneRules* zone;
  CivilTime utc, local;
};

TEST(ZoneRules, LocalTimeFromUtc) {
  const std::vector<Case> cases = {
      {"eastern, the last standard second", &kEastern, T(2026, 3, 8, 6, 59, 59), T(2026, 3, 8, 1, 59, 59)},
      {"eastern, daylight time starts", &kEastern, T(2026, 3, 8, 7, 0), T(2026, 3, 8, 3, 0)},
      {"eastern, the last daylight second", &kEastern, T(2026, 11, 1, 5, 59, 59), T(2026, 11, 1, 1, 59, 59)},
      {"eastern, the hour again", &kEastern, T(2026, 11, 1, 6, 0), T(2026, 11, 1, 1, 0)},
      {"eastern 2006 kept its older rules", &kEastern, T(2006, 3, 20, 12, 0), T(2006, 3, 20, 7, 0)},
      {"eastern 2006, first Sunday of April", &kEastern, T(2006, 4, 2, 7, 0), T(2006, 4, 2, 3, 0)},
      {"eastern 2006, last Sunday of October", &kEastern, T(2006, 10, 29, 6, 0), T(2006, 10, 29, 1, 0)},
      {"eastern, years after the last listed keep its rule", &kEastern, T(2040, 7, 1, 12, 0), T(2040, 7, 1, 8, 0)},
      {"eastern, years before the first keep its rule", &kEastern, T(1999, 3, 20, 12, 0), T(1999, 3, 20, 7, 0)},
      {"sydney, summer in January", &kSydney, T(2026, 1, 15, 0, 0), T(2026, 1, 15, 11, 0)},
      {"sydney, the last daylight minute", &kSydney, T(2026, 4, 4, 15, 59), T(2026, 4, 5, 2, 59)},
      {"sydney, daylight time ends", &kSydney, T(2026, 4, 4, 16, 0), T(2026, 4, 5, 2, 0)},
      {"sydney, winter", &kSydney, T(2026, 7, 1, 0, 0), T(2026, 7, 1, 10, 0)},
      {"sydney, daylight time starts", &kSydney, T(2026, 10, 3, 16, 0), T(2026, 10, 4, 3, 0)},
      {"sydney, new year over there first", &kSydney, T(2026, 12, 31, 14, 0), T(2027, 1, 1, 1, 0)},
      {"india at :30", &kIndia, T(2026, 12, 9, 23, 45), T(2026, 12, 10, 5, 15)},
      {"nepal at :45", &kNepal, T(2026, 12, 9, 23, 45), T(2026, 12, 10, 5, 30)},
      {"tokyo, new year", &kTokyo, T(2026, 12, 31, 15, 0), T(2027, 1, 1, 0, 0)},
      {"tokyo, a leap day", &kTokyo, T(2028, 2, 28, 15, 0), T(2028, 2, 29, 0, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(LocalFromUtc(*c.zone, c.utc), c.local) << c.what;
}

TEST(ZoneRules, RegistryRulesDecode) {
  // Alaska's TZI as Windows stores it: 540, 0, -60, then first Sunday of November and second of March at 2:00.
  const uint8_t alaska[44] = {0x1c, 0x02, 0, 0, 0, 0, 0, 0, 0xc4, 0xff, 0xff, 0xff, 0, 0, 11, 0, 0, 0, 1, 0, 2, 0,
                              0,    0,    0, 0, 0, 0, 0, 0, 3,    0,    0,    0,    2, 0, 2, 0,  0, 0, 0, 0, 0, 0};
  const auto rule = DecodeTzi(alaska, sizeof alaska);
  ASSERT_TRUE(rule);
  EXPECT_EQ(*rule, (ZoneRule{540, 0, -60, Nth(11, 1, 2), Nth(3, 2, 2)}));
  EXPECT_FALSE(DecodeTzi(alaska, 43));
  uint8_t bad[44];
  std::copy(std::begin(alaska), std::end(alaska), bad);
  bad[14] = 13;  // no thirteenth month
  EXPECT_FALSE(DecodeTzi(bad, sizeof bad));
  std::copy(std::begin(alaska), std::end(alaska), bad);
  bad[1] = 0x7f;  // a bias of three weeks
  EXPECT_FALSE(DecodeTzi(bad, sizeof bad));
}

}  // namespace
}  // namespace worldtime
