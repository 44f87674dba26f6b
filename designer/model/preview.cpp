// The preview's one-second tick: lengths and centre dot from the controls, the read-out, the hands.
#include "clock/face_geometry.h"
#include "form.h"

namespace designer {

namespace {
// The clock's own geometry and arithmetic, so preview and clock agree to the twip.
void PointHand(LineShape& hand, float factor, int scale, double radians) {
  const tkt::TwipPoint tip = tkt::HandTip(factor, scale, radians);
  hand.x2 = tip.x;
  hand.y2 = tip.y;
}

std::wstring TwoDigits(int v) {
  return {wchar_t(L'0' + v / 10 % 10), wchar_t(L'0' + v % 10)};
}
}  // namespace

void DesignerForm::Timer1_Timer(const TickTime& now) {
  secondLengthFactor = float(HScroll1.value) / 10;
  hourLengthFactor = float(HScroll2.value) / 10;
  minuteLengthFactor = float(HScroll3.value) / 10;

  const double d = HScroll4.value;
  centerdot.Place(kPreviewCentre - d / 2, kPreviewCentre - d / 2, d, d);
  centerdot.fillColor = clbox4.fillColor;
  centerdot.borderColor = clbox4.fillColor;

  if (digicheck.checked()) {
    const std::wstring hm = TwoDigits(now.hour) + L":" + TwoDigits(now.minute);
    if (digistyle1.value) digitxt.caption = hm;
    if (digistyle2.value) digitxt.caption = hm + L":" + TwoDigits(now.second);
  }

  PointHand(Line1, secondLengthFactor, previewLengthScale, tkt::SecondOrMinuteRadians(now.second));
  PointHand(Line2, hourLengthFactor, previewLengthScale, tkt::HourRadians(now.hour, now.minute));
  PointHand(Line3, minuteLengthFactor, previewLengthScale, tkt::SecondOrMinuteRadians(now.minute));
}

}  // namespace designer
