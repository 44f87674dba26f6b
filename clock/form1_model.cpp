#include "form1_model.h"

#include <cstdio>

namespace tkt {

namespace {

float ScaleOf(const std::optional<int16_t>& length) { return float(length.value_or(0)) / 10.0f; }
bool IsZero(const std::optional<int16_t>& v) { return v.value_or(0) == 0; }

void SetHand(LineElement& line, float& scale, const std::optional<int32_t>& color,
             const std::optional<int16_t>& length, const std::optional<int16_t>& width) {
  line.color = color.value_or(0);
  scale = ScaleOf(length);
  line.width = width.value_or(0);
  if (IsZero(length)) line.visible = false;
}

}  // namespace

void Form1Model::LayOut(const faceformat::ClockSettings& s) {
  Line1.visible = Line2.visible = Line3.visible = true;
  SetHand(Line1, secondScale, s.secondColor, s.secondLength, s.secondWidth);
  SetHand(Line3, minuteScale, s.minuteColor, s.minuteLength, s.minuteWidth);
  SetHand(Line2, hourScale, s.hourColor, s.hourLength, s.hourWidth);

  const float dot = s.centerDotSize.value_or(0);
  centerdot.color = s.centerDotColor.value_or(0);
  centerdot.width = centerdot.height = dot;
  centerdot.top = centerdot.left = kFaceCentreTwips - dot / 2;
  if (IsZero(s.centerDotSize)) centerdot.visible = false;

  if (s.HasFrame()) {
    const float size = *s.frameSize;
    waku.visible = true;
    waku.top = waku.left = kFaceCentreTwips - size / 2;
    waku.width = waku.height = size;
    waku.color = s.frameColor.value_or(0);
  }

  if (s.HasDigital()) {
    Label1.visible = true;
    Label1.left = *s.digitalLeft;
    Label1.top = s.digitalTop.value_or(0);
    Label1.font.name = s.fontName.value_or("");
    Label1.font.size = s.fontSize.value_or(0);
    Label1.font.bold = s.fontBold.value_or(false);
    Label1.font.italic = s.fontItalic.value_or(false);
    Label1.font.underline = s.fontUnderline.value_or(false);
    Label1.font.strikethru = s.fontStrikethru.value_or(false);
    Label1.color = s.digitalColor.value_or(0);
    const std::string style = s.digitalStyle.value_or("");
    if (style == "hm") displayMode = 0;
    if (style == "hms") displayMode = 1;
  }

  if (s.HasCuckoo1()) {
    for (PictureElement* p : {&hato1_close, &hato1_open}) {
      p->visible = true;
      p->left = *s.cuckoo1Left;
      p->top = s.cuckoo1Top.value_or(0);
    }
    hato = "1";
  }
  if (s.HasCuckoo2()) {
    for (PictureElement* p : {&hato2_close, &hato2_open}) {
      p->visible = true;
      p->left = *s.cuckoo2Left;
      p->top = s.cuckoo2Top.value_or(0);
    }
    hato = "2";
  }
}

void Form1Model::SetScreenScale(int screenTwipsPerPixel) {
  faceRadiusPx = kFaceRadiusPx;
  twipsPerPixel = screenTwipsPerPixel;
  centreTwips = float(90 * twipsPerPixel);
  for (LineElement* line : {&Line1, &Line2, &Line3}) line->x1 = line->y1 = kFaceCentreTwips;
}

TwipPoint Form1Model::DefaultPosition(float screenWidthTwips, float screenHeightTwips) const {
  return {screenWidthTwips - 2 * centreTwips, screenHeightTwips - 2 * centreTwips - 450};
}

bool Form1Model::Timer1_Timer(const ClockTime& now) {
  tickTime = now;
  Label1.caption = FormatReadout(now, displayMode == 1);

  const TwipPoint second = HandTip(secondScale, faceRadiusPx, SecondOrMinuteRadians(now.second));
  const TwipPoint hour = HandTip(hourScale, faceRadiusPx, HourRadians(now.hour, now.minute));
  const TwipPoint minute = HandTip(minuteScale, faceRadiusPx, SecondOrMinuteRadians(now.minute));
  Line1.x2 = second.x, Line1.y2 = second.y;
  Line2.x2 = hour.x, Line2.y2 = hour.y;
  Line3.x2 = minute.x, Line3.y2 = minute.y;

  bool started = false;
  using faceformat::ChimeHours;
  if (chimeHours != ChimeHours::Off && now.minute == 0 && now.second == 0) {
    chimeCount = ChimeCountForHour(now.hour);
    chimeStep = 0;
    timer2Enabled = started = true;
  }
  if (chimeHours == ChimeHours::HalfHour && now.minute == 30 && now.second == 0) {
    chimeCount = 1;
    chimeStep = 0;
    timer2Enabled = started = true;
  }
  return started;
}

bool Form1Model::Timer2_Timer() {
  ++chimeStep;
  const bool open = chimeStep % 2 > 0;
  PictureElement* closed = hato == "1" ? &hato1_close : hato == "2" ? &hato2_close : nullptr;
  PictureElement* opened = hato == "1" ? &hato1_open : hato == "2" ? &hato2_open : nullptr;
  if (closed) {
    closed->visible = !open;
    opened->visible = open;
  }
  if (chimeStep == 2 * chimeCount) timer2Enabled = false;
  return open;
}

std::string FormatReadout(const ClockTime& t, bool withSeconds) {
  char text[16];
  if (withSeconds)
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  else
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
  return text;
}

int ChimeCountForHour(int hour) {
  if (hour > 12) return hour - 12;
  if (hour == 0) return 12;
  return hour;
}

}  // namespace tkt
