// The clock's settings record and its one-line text form (tkt.ini).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace faceformat {

using tkt::Error, tkt::Result, tkt::Status, tkt::Success;

// Texts are bytes in the ANSI code page (932 on Japanese Windows), kept as read.
// Every field can be absent in a hand-edited file, so each keeps its own presence;
// the groups' presence tests below give the clock's answers.
struct ClockSettings {
  std::optional<std::string> regionFilePath;   // 1
  std::optional<std::string> faceBitmapPath;   // 2
  std::optional<int32_t> secondColor;          // 3
  std::optional<int16_t> secondLength;         // 4
  std::optional<int16_t> secondWidth;          // 5
  std::optional<int32_t> hourColor;            // 6
  std::optional<int16_t> hourLength;           // 7
  std::optional<int16_t> hourWidth;            // 8
  std::optional<int32_t> minuteColor;          // 9
  std::optional<int16_t> minuteLength;         // 10
  std::optional<int16_t> minuteWidth;          // 11
  std::optional<int32_t> centerDotColor;       // 12
  std::optional<int16_t> centerDotSize;        // 13
  std::optional<int32_t> frameColor;           // 14
  std::optional<float> frameSize;              // 15
  std::optional<float> digitalLeft;            // 16
  std::optional<float> digitalTop;             // 17
  std::optional<std::string> digitalStyle;     // 18 "hm" or "hms"
  std::optional<std::string> fontName;         // 19
  std::optional<double> fontSize;              // 20 points, at most 4 decimals
  std::optional<bool> fontBold;                // 21
  std::optional<bool> fontItalic;              // 22
  std::optional<bool> fontUnderline;           // 23
  std::optional<bool> fontStrikethru;          // 24
  std::optional<int32_t> digitalColor;         // 25
  std::optional<float> cuckoo1Left;            // 26
  std::optional<float> cuckoo1Top;             // 27
  std::optional<float> cuckoo2Left;            // 28
  std::optional<float> cuckoo2Top;             // 29

  bool operator==(const ClockSettings&) const = default;

  // The clock's presence tests (fields 15, 16, 26, 28).
  bool HasFrame() const { return frameSize.has_value(); }
  bool HasDigital() const { return digitalLeft.has_value(); }
  bool HasCuckoo1() const { return cuckoo1Left.has_value(); }
  bool HasCuckoo2() const { return cuckoo2Left.has_value(); }

  // Marks a field of the clock's presence tests, where an empty text "" reads as absent.
  struct PresenceTest {};

  // The file's fields in their order, as visit(&ClockSettings::member) or visit(&ClockSettings::member,
  // PresenceTest{}). Writing, reading and checking all walk this list; how a value is written, read and checked
  // follows from its member's type:
  //   std::string  text between double quotes, which it cannot hold itself
  //   int32_t      colour, whole number 0..16777215
  //   int16_t      whole number -32768..32767
  //   float        twips, a single within ±kMaxTwips
  //   double       font size, at most 4 decimals, below 1e9 points
  //   bool         #TRUE# or #FALSE#
  template <class Visit>
  static constexpr void ForEachField(Visit&& visit) {
    visit(&ClockSettings::regionFilePath);
    visit(&ClockSettings::faceBitmapPath);
    visit(&ClockSettings::secondColor);
    visit(&ClockSettings::secondLength);
    visit(&ClockSettings::secondWidth);
    visit(&ClockSettings::hourColor);
    visit(&ClockSettings::hourLength);
    visit(&ClockSettings::hourWidth);
    visit(&ClockSettings::minuteColor);
    visit(&ClockSettings::minuteLength);
    visit(&ClockSettings::minuteWidth);
    visit(&ClockSettings::centerDotColor);
    visit(&ClockSettings::centerDotSize);
    visit(&ClockSettings::frameColor);
    visit(&ClockSettings::frameSize, PresenceTest{});
    visit(&ClockSettings::digitalLeft, PresenceTest{});
    visit(&ClockSettings::digitalTop);
    visit(&ClockSettings::digitalStyle);
    visit(&ClockSettings::fontName);
    visit(&ClockSettings::fontSize);
    visit(&ClockSettings::fontBold);
    visit(&ClockSettings::fontItalic);
    visit(&ClockSettings::fontUnderline);
    visit(&ClockSettings::fontStrikethru);
    visit(&ClockSettings::digitalColor);
    visit(&ClockSettings::cuckoo1Left, PresenceTest{});
    visit(&ClockSettings::cuckoo1Top);
    visit(&ClockSettings::cuckoo2Left, PresenceTest{});
    visit(&ClockSettings::cuckoo2Top);
  }
};

inline constexpr int kSettingsFieldCount = [] {
  int n = 0;
  ClockSettings::ForEachField([&n](auto, auto...) { ++n; });
  return n;
}();

// Lengths and positions in twips: window coordinates on the platform stay within a signed 16-bit range of
// pixels, so nothing further out can show on any screen (32767 px at 15 twips per pixel), and every
// conversion to int, in pixels or twips, stays far inside its range.
inline constexpr float kMaxTwips = 32767.0f * 15;

// The whole file: 29 values, commas, CR LF. A record that CheckSettingsWritable refuses is written as well as
// it can be (quotes dropped from texts, non-finite numbers left absent).
std::string FormatSettings(const ClockSettings& s);

// Fails (Error::where = field number) for what the text form cannot carry: a double quote inside a text,
// a colour outside 0..16777215, a single that is not finite or beyond ±kMaxTwips, a font size beyond the
// fixed-point range.
Status CheckSettingsWritable(const ClockSettings& s);

// Number forms of the file: a single in its shortest form of at most 7 significant digits, the font size with at
// most 4 decimals; "." as the point, no exponent, no trailing point or zeros (1590, 1612.5, 9.75, 12).
std::string FormatSingle(float v);
std::string FormatFontSize(double v);

// Reads the first 29 values. Fails (Error::where = 1-based field number, or 0 for the file) when the text ends
// early or a value has the wrong kind or range for its field. An empty text value reads as absent, in a text
// field and in the presence fields (15, 16, 26, 28); other number fields refuse it.
// Hand-edited files: blanks around a value are ignored, CR LF, LF or CR end a line, an unquoted text is taken
// as it stands, anything after the 29th value is ignored. A fraction in a whole-number field rounds to the
// nearest whole number, a half to the even one (70.5 reads as 70, 71.5 as 72). Refused: a quote never closed,
// text after a closing quote or a quote inside an unquoted value; a colour outside 0..16777215; a number beyond
// its field (16 bits, twips beyond ±kMaxTwips); a boolean anywhere but fields 21 to 24.
Result<ClockSettings> ParseSettings(std::string_view bytes);

// File boundary: paths are native (UTF-16 on Windows, bytes elsewhere). A file beyond kMaxSettingsFileBytes is
// refused unread. The readers never throw: running out of memory is an error too.
// The line the designer writes is about 1 KiB at most (two paths of at most 260 bytes, a 32-byte font name, 25
// numbers of at most 40 characters); 64 KiB leaves room for hand-made long paths and costs nothing to hold.
inline constexpr unsigned long long kMaxSettingsFileBytes = 64 * 1024;
Result<ClockSettings> ReadSettingsFile(const std::filesystem::path& path);
// Never leaves a half-written file: writes a temporary beside it and replaces the old one in one step.
Status WriteSettingsFile(const std::filesystem::path& path, const ClockSettings& s);

// The kaichu sample taken unchanged, for an installation root (ANSI bytes, no trailing backslash).
ClockSettings KaichuTemplate(const std::string& root);

}  // namespace faceformat
