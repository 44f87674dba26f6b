// The clock window Form1 without a window: its elements, its state, and the logic of its load,
// tick and chime handlers. The Windows layer paints what this says and carries out its requests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/font_look.h"
#include "face/face_geometry.h"
#include "faceformat/clock_options.h"
#include "faceformat/settings.h"

namespace tkt {

// Colours are packed red + 256 green + 65536 blue, as in the settings file.
struct LineElement {
  bool visible = true;
  int32_t color = 0;
  int width = 1;  // pixels
  float x1 = kFaceCentreTwips, y1 = kFaceCentreTwips, x2 = kFaceCentreTwips, y2 = kFaceCentreTwips;
  bool operator==(const LineElement&) const = default;
};

// A circle inscribed in its box (filled for the centre dot, outlined for the frame).
struct ShapeElement {
  bool visible = false;
  int32_t color = 0;
  float left = 0, top = 0, width = 0, height = 0;
  bool operator==(const ShapeElement&) const = default;
};

using FontLook = BasicFontLook<char>;

struct LabelElement {
  bool visible = false;
  float left = 0, top = 0;
  std::string caption;
  FontLook font;
  int32_t color = 0;
  bool operator==(const LabelElement&) const = default;
};

struct PictureElement {
  bool visible = false;
  float left = 0, top = 0;
  bool operator==(const PictureElement&) const = default;
};

struct ClockTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  bool operator==(const ClockTime&) const = default;
};

// The window at design size: 4710 x 5025 twips, the face in its top-left 2700 x 2700.
inline constexpr int kDesignWidthPx = 314;
inline constexpr int kDesignHeightPx = 335;
inline constexpr int kCuckooWidthPx = 30;
inline constexpr int kCuckooHeightPx = 26;

struct Form1Model {
  // Elements, as the window shows them before its load handler runs.
  LineElement Line1;  // second hand
  LineElement Line2;  // hour hand
  LineElement Line3;  // minute hand
  ShapeElement centerdot{true, 0, 1350, 1350, 0, 0};
  ShapeElement waku;
  LabelElement Label1{false, 0, 0, "--:--:--", {}, 0};
  // Outside the face until a cuckoo is configured; the window region hides them there.
  PictureElement hato1_close{true, 3300, 600};
  PictureElement hato1_open{false, 3300, 600};
  PictureElement hato2_close{true, 3300, 1200};
  PictureElement hato2_open{true, 3300, 1800};
  std::string hato = "0";  // hidden text box: the cuckoo kind the chime animates
  std::string lblLabel2;   // caption of lblLabel(2), "TZ=..."

  // State.
  int twipsPerPixel = kDesignTwipsPerPixel;
  int faceRadiusPx = kFaceRadiusPx;
  float centreTwips = 1350;
  float secondScale = 0, minuteScale = 0, hourScale = 0;
  std::optional<int> displayMode;  // 0 "hm", 1 "hms", unset otherwise
  ClockTime tickTime;
  int chimeCount = 0;
  int chimeStep = 0;
  bool timer2Enabled = false;
  faceformat::ChimeHours chimeHours = faceformat::ChimeHours::HalfHour;  // from the options file

  // Load steps 5 to 13: hands, centre dot, frame, read-out and cuckoo pictures from the settings.
  void LayOut(const faceformat::ClockSettings& s);
  // Steps 14, 15 and 17: state that needs the screen's scale, and the hands' fixed ends.
  void SetScreenScale(int screenTwipsPerPixel);
  // Step 16: the default top-left corner in twips for a screen of that size in twips.
  TwipPoint DefaultPosition(float screenWidthTwips, float screenHeightTwips) const;

  // One tick of Timer1 with the local time it read. Returns true when it (re)started the chime,
  // which also sets timer2Enabled.
  bool Timer1_Timer(const ClockTime& now);
  // One step of Timer2. Returns true when the cuckoo sound is to be played.
  bool Timer2_Timer();
};

// "HH:NN" or "HH:NN:SS".
std::string FormatReadout(const ClockTime& t, bool withSeconds);

// Hour on the 12-hour dial: 0 and 12 give 12, 13 to 23 give 1 to 11.
int ChimeCountForHour(int hour);

}  // namespace tkt
