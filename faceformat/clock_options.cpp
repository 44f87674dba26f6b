#include "faceformat/clock_options.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "base/utf8.h"
#include "faceformat/files.h"

namespace faceformat {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Well-formed UTF-8 without control characters: a text that can go into a tooltip or a registry name.
bool IsCleanUtf8(std::string_view s) {
  const auto wide = tkt::DecodeUtf8(s);
  return wide && std::none_of(wide->begin(), wide->end(), [](wchar_t c) { return c < 0x20 || c == 0x7f; });
}

std::optional<int> ParseWhole(std::string_view s) {
  if (s.empty() || s.size() > 3) return std::nullopt;
  int v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

constexpr size_t kMaxTextBytes = 256;

}  // namespace

bool QuietHours::Contains(int hour, int minute) const {
  const int t = hour * 60 + minute;
  if (from <= to) return t >= from && t < to;
  return t >= from || t < to;
}

std::optional<int> ParseTimeOfDay(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() - colon != 3) return std::nullopt;
  const auto h = ParseWhole(text.substr(0, colon));
  const auto m = ParseWhole(text.substr(colon + 1));
  if (!h || !m || *h > 23 || *m > 59) return std::nullopt;
  return *h * 60 + *m;
}

std::string FormatTimeOfDay(int minutes) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60 % 24, minutes % 60);
  return text;
}

ClockOptions ParseClockOptions(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  ClockOptions o;
  bool inClock = false;
  std::optional<int> quietFrom, quietTo;
  // The first of a key counts, as Windows' own profile reader has it.
  bool seen[8] = {};
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      inClock = line.back() == ']' && SameWord(Trim(line.substr(1, line.size() - 2)), "Clock");
      continue;
    }
    const size_t eq = line.find('=');
    if (!inClock || eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = Trim(line.substr(eq + 1));
    static constexpr std::string_view kKeys[] = {"TimeZone", "Name", "Chime", "QuietFrom",
                                                 "QuietTo", "Opacity", "FadeOnHover"};
    const auto* k = std::find_if(std::begin(kKeys), std::end(kKeys), [&](std::string_view n) { return SameWord(n, key); });
    if (k == std::end(kKeys)) continue;
    const size_t index = size_t(k - std::begin(kKeys));
    if (seen[index]) continue;
    seen[index] = true;
    switch (index) {
      case 0:
        if (value.size() <= 128 && IsCleanUtf8(value) && value.find('\\') == std::string_view::npos)
          o.timeZone = value;
        break;
      case 1:
        if (value.size() <= kMaxTextBytes && IsCleanUtf8(value)) o.name = value;
        break;
      case 2:
        if (SameWord(value, "Hour")) o.chime = ChimeHours::Hour;
        if (SameWord(value, "Off")) o.chime = ChimeHours::Off;
        break;
      case 3: quietFrom = ParseTimeOfDay(value); break;
      case 4: quietTo = ParseTimeOfDay(value); break;
      case 5:
        if (const auto v = ParseWhole(value); v && *v >= kMinOpacity && *v <= kMaxOpacity) o.opacity = *v;
        break;
      case 6:
        if (value == "1") o.fadeOnHover = true;
        break;
    }
  }
  if (quietFrom && quietTo && *quietFrom != *quietTo) o.quiet = QuietHours{*quietFrom, *quietTo};
  return o;
}

std::string FormatClockOptions(const ClockOptions& o) {
  // One line per key whatever the text holds.
  auto oneLine = [](std::string s) {
    std::replace_if(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return s;
  };
  static constexpr const char* kChime[] = {"HalfHour", "Hour", "Off"};
  std::string s = "[Clock]\r\n";
  s += "TimeZone=" + oneLine(o.timeZone) + "\r\n";
  s += "Name=" + oneLine(o.name) + "\r\n";
  s += std::string("Chime=") + kChime[int(o.chime)] + "\r\n";
  s += "QuietFrom=" + (o.quiet ? FormatTimeOfDay(o.quiet->from) : "") + "\r\n";
  s += "QuietTo=" + (o.quiet ? FormatTimeOfDay(o.quiet->to) : "") + "\r\n";
  s += "Opacity=" + std::to_string(o.opacity) + "\r\n";
  s += std::string("FadeOnHover=") + (o.fadeOnHover ? "1" : "0") + "\r\n";
  return s;
}

std::filesystem::path OptionsPathFor(const std::filesystem::path& settingsPath) {
  std::filesystem::path name = settingsPath.stem();
  name += "-options";
  name += settingsPath.extension();
  return settingsPath.parent_path() / name;
}

tkt::Result<ClockOptions> ReadClockOptions(const std::filesystem::path& settingsPath) {
  const std::filesystem::path path = OptionsPathFor(settingsPath);
  if (!FileExists(path)) return ClockOptions{};
  auto bytes = ReadWholeFile(path, kMaxOptionsBytes);
  if (!bytes) return bytes.error();
  return ParseClockOptions(*bytes);
}

tkt::Status WriteClockOptions(const std::filesystem::path& settingsPath, const ClockOptions& options) {
  const std::filesystem::path path = OptionsPathFor(settingsPath);
  if (!options.IsDefault()) return WriteFileAtomic(path, FormatClockOptions(options));
  return RemoveFile(path);
}

}  // namespace faceformat
