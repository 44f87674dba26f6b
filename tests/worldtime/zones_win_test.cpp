// The system's own zone data read into rules: the years whose rules changed come along, names that are not
// zones give nothing, and the list runs west to east.
#include "worldtime/win/zones_win.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace worldtime {
namespace {

TEST(SystemZones, RulesOfEachYearComeFromTheRegistry) {
  const auto pacific = ReadZoneRules(L"Pacific Standard Time");
  ASSERT_TRUE(pacific);
  EXPECT_EQ(pacific->base.bias, 480);
  // The United States moved daylight time in 2007: April before, March since.
  EXPECT_EQ(pacific->ForYear(2006).daylightDate.month, 4);
  EXPECT_EQ(pacific->ForYear(2026).daylightDate.month, 3);
  // The first Sunday of April 2006, 02:00 PST, is 10:00 UTC.
  EXPECT_EQ(LocalFromUtc(*pacific, {2006, 4, 2, 10, 0}), (CivilTime{2006, 4, 2, 3, 0}));

  for (const wchar_t* notAZone : {L"Nowhere Standard Time", L"", L"Tokyo Standard Time\\Dynamic DST", L"..\\Time Zones"})
    EXPECT_FALSE(ReadZoneRules(notAZone)) << notAZone;
}

TEST(SystemZones, TheListRunsWestToEastWithTheirNames) {
  const std::vector<ZoneEntry> zones = ListTimeZones();
  ASSERT_GT(zones.size(), 50u);
  EXPECT_TRUE(std::is_sorted(zones.begin(), zones.end(), [](const ZoneEntry& a, const ZoneEntry& b) { return a.bias > b.bias; }));
  const auto tokyo = std::find_if(zones.begin(), zones.end(), [](const ZoneEntry& z) { return z.key == L"Tokyo Standard Time"; });
  ASSERT_NE(tokyo, zones.end());
  EXPECT_EQ(tokyo->bias, -540);
  EXPECT_NE(tokyo->display.find(L"09:00"), std::wstring::npos) << "(UTC+09:00) ...";
}

}  // namespace
}  // namespace worldtime
