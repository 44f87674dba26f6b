// The options file beside a settings file (tkt.ini -> tkt-options.ini): a clock's time zone, name, chime
// hours and see-through face. UTF-8, one [Clock] section. The settings file itself never changes for these,
// so every older reader keeps working; no options file means the clock as it always was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace faceformat {

enum class ChimeHours { HalfHour, Hour, Off };

// Minutes after midnight, [from, to): a span with from > to runs across midnight; from == to is no span.
struct QuietHours {
  int from = 0, to = 0;
  bool Contains(int hour, int minute) const;
  bool operator==(const QuietHours&) const = default;
};

inline constexpr int kMinOpacity = 30;
inline constexpr int kMaxOpacity = 100;
inline constexpr int kFadeOpacity = 30;  // the face while the pointer rests on it, with FadeOnHover

struct ClockOptions {
  std::string timeZone;  // a Windows time-zone key name, UTF-8; empty: the PC's zone
  std::string name;      // UTF-8; the tooltip
  ChimeHours chime = ChimeHours::HalfHour;
  std::optional<QuietHours> quiet;
  int opacity = kMaxOpacity;
  bool fadeOnHover = false;

  bool IsDefault() const { return *this == ClockOptions{}; }
  bool operator==(const ClockOptions&) const = default;
};

// Real ones are a few hundred bytes; anything past this is not an options file and is not read.
inline constexpr unsigned long long kMaxOptionsBytes = 64 * 1024;

// Each key that is missing, unknown or bad keeps its default; nothing here fails.
ClockOptions ParseClockOptions(std::string_view text);
// The [Clock] section with every key, CRLF line ends.
std::string FormatClockOptions(const ClockOptions& options);

// "HH:MM" (the hour may have one digit) -> minutes after midnight.
std::optional<int> ParseTimeOfDay(std::string_view text);
std::string FormatTimeOfDay(int minutes);

// X\name.ini -> X\name-options.ini.
std::filesystem::path OptionsPathFor(const std::filesystem::path& settingsPath);

// The options beside `settingsPath`: defaults when there is no such file; an error when it cannot be read
// or is far too large (the caller then goes on with the defaults).
tkt::Result<ClockOptions> ReadClockOptions(const std::filesystem::path& settingsPath);
// Writes the options beside `settingsPath`, or removes that file when every option is at its default.
tkt::Status WriteClockOptions(const std::filesystem::path& settingsPath, const ClockOptions& options);

}  // namespace faceformat
