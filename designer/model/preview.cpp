// The preview's one-second tick: lengths and centre dot from the controls, the read-out, the hands.
#include <cmath>

#include "form.h"

namespace designer {

namespace {
// The clock's arithmetic: pi held as a single, the tip in singles.
constexpr float kPi = 3.1415927f;

void PointHand(LineShape& hand, float factor, int scale, double degrees) {
  const float radians = float(degrees * double(kPi / 180.0f));
  hand.x2 = float(kPreviewCentre + double(factor) * scale * std::sin(double(radians)));
  hand.y2 = float(kPreviewCentre - double(factor) * scale * std::cos(double(radians)));
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

  PointHand(Line1, secondLengthFactor, previewLengthScale, now.second * 6.0);
  PointHand(Line2, hourLengthFactor, previewLengthScale, now.hour * 30 + now.minute * 0.5);
  PointHand(Line3, minuteLengthFactor, previewLengthScale, now.minute * 6.0);
}

}  // namespace designer
