#include "worldtime/win/zones_win.h"

#include <algorithm>

#include "wincommon/handle.h"

namespace worldtime {

namespace {

constexpr wchar_t kZonesKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

std::wstring ReadString(HKEY key, const wchar_t* name) {
  wchar_t text[256];
  DWORD bytes = sizeof text - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS ||
      type != REG_SZ)
    return {};
  text[bytes / sizeof(wchar_t)] = L'\0';
  return text;
}

// The display name in the system's language (tzres.dll's), else the plain one.
std::wstring DisplayName(HKEY key) {
  wchar_t text[256];
  DWORD bytes = 0;
  if (RegLoadMUIStringW(key, L"MUI_Display", text, sizeof text, &bytes, 0, nullptr) == ERROR_SUCCESS && text[0])
    return text;
  return ReadString(key, L"Display");
}

std::optional<ZoneRule> ReadTzi(HKEY key, const wchar_t* name) {
  uint8_t bytes[64];
  DWORD size = sizeof bytes;
  DWORD type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, bytes, &size) != ERROR_SUCCESS || type != REG_BINARY)
    return std::nullopt;
  return DecodeTzi(bytes, size);
}

std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name) {
  DWORD value = 0, size = sizeof value, type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return std::nullopt;
  return value;
}

tkt::RegKey OpenZone(const std::wstring& key) {
  tkt::RegKey zones, zone;
  if (key.empty() || key.find(L'\\') != std::wstring::npos) return zone;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kZonesKey, 0, KEY_READ, zones.put()) != ERROR_SUCCESS) return zone;
  RegOpenKeyExW(zones.get(), key.c_str(), 0, KEY_READ, zone.put());
  return zone;
}

}  // namespace

std::vector<ZoneEntry> ListTimeZones() {
  std::vector<ZoneEntry> list;
  tkt::RegKey zones;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kZonesKey, 0, KEY_READ, zones.put()) != ERROR_SUCCESS) return list;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = std::size(name);
    const LONG status = RegEnumKeyExW(zones.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    tkt::RegKey zone;
    if (RegOpenKeyExW(zones.get(), name, 0, KEY_READ, zone.put()) != ERROR_SUCCESS) continue;
    const auto rule = ReadTzi(zone.get(), L"TZI");
    if (!rule) continue;
    std::wstring display = DisplayName(zone.get());
    list.push_back({name, display.empty() ? name : display, rule->bias});
  }
  std::sort(list.begin(), list.end(), [](const ZoneEntry& a, const ZoneEntry& b) {
    if (a.bias != b.bias) return a.bias > b.bias;
    return a.display < b.display;
  });
  return list;
}

std::wstring PcTimeZoneKey() {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return {};
  return zone.TimeZoneKeyName;
}

std::wstring ZoneDisplayName(const std::wstring& key) {
  const tkt::RegKey zone = OpenZone(key);
  return zone ? DisplayName(zone.get()) : std::wstring();
}

std::optional<ZoneRules> ReadZoneRules(const std::wstring& key) {
  const tkt::RegKey zone = OpenZone(key);
  if (!zone) return std::nullopt;
  const auto base = ReadTzi(zone.get(), L"TZI");
  if (!base) return std::nullopt;
  ZoneRules rules{*base, {}};
  tkt::RegKey dynamic;
  if (RegOpenKeyExW(zone.get(), L"Dynamic DST", 0, KEY_READ, dynamic.put()) != ERROR_SUCCESS) return rules;
  const auto first = ReadDword(dynamic.get(), L"FirstEntry");
  const auto last = ReadDword(dynamic.get(), L"LastEntry");
  if (!first || !last || *first > *last || *last - *first > 500) return rules;
  for (DWORD year = *first; year <= *last; ++year) {
    if (const auto rule = ReadTzi(dynamic.get(), std::to_wstring(year).c_str())) rules.years[int(year)] = *rule;
  }
  return rules;
}

ZoneClock::ZoneClock(const std::wstring& key) {
  if (!key.empty()) rules_ = ReadZoneRules(key);
}

CivilTime ZoneClock::Now() {
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  if (rules_) {
    return LocalFromUtc(*rules_, {utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond,
                                  utc.wMilliseconds});
  }
  if (pcZoneHour_ != utc.wHour) {
    pcZoneHour_ = GetTimeZoneInformation(&pcZone_) == TIME_ZONE_ID_INVALID ? -1 : utc.wHour;
  }
  SYSTEMTIME st;
  if (pcZoneHour_ < 0 || !SystemTimeToTzSpecificLocalTime(&pcZone_, &utc, &st)) GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

}  // namespace worldtime
