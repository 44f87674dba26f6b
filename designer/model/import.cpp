#include "designer/model/import.h"

#include <cmath>
#include <new>

#include "designer/model/clock_options_page.h"
#include "designer/model/paths.h"

namespace designer {

namespace {

bool InRange(const ScrollBar& slider, long long value) { return value >= slider.min && value <= slider.max; }

template <class T>
T Or0(const std::optional<T>& v) {
  return v ? *v : T{};
}

// A slider takes a real value as the platform's integer conversion does: to the nearest, halves to even.
std::optional<int> SliderValue(float v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = std::nearbyint(double(v));
  if (r < -32768 || r > 32767) return std::nullopt;
  return int(r);
}

}  // namespace

std::optional<ImportPlan> PlanImport(const DesignerForm& form, const faceformat::ClockSettings& read,
                                     FilesPlatform& platform) {
  ImportPlan plan;
  faceformat::ClockSettings& v = plan.values;
  v = read;

  auto region = platform.FromAnsi(Or0(read.regionFilePath));
  auto bitmap = platform.FromAnsi(Or0(read.faceBitmapPath));
  if (!region || !bitmap) return std::nullopt;
  // The clock reads relative paths from the folder of its tkt.ini.
  const std::wstring folder = FolderOf(form.fpath.text);
  plan.regionPath = AbsolutePath(folder, *region);
  plan.bitmapPath = AbsolutePath(folder, *bitmap);

  // Absent numbers become 0, as the platform turns an empty value into a number.
  for (auto* f : {&v.secondLength, &v.secondWidth, &v.hourLength, &v.hourWidth, &v.minuteLength, &v.minuteWidth,
                  &v.centerDotSize})
    *f = Or0(*f);
  for (auto* f : {&v.secondColor, &v.hourColor, &v.minuteColor, &v.centerDotColor}) *f = Or0(*f);
  const std::pair<const ScrollBar*, int16_t> sliders[] = {
      {&form.HScroll1, *v.secondLength}, {&form.HScroll2, *v.hourLength}, {&form.HScroll3, *v.minuteLength},
      {&form.HScroll4, *v.centerDotSize}, {&form.HScroll5, *v.secondWidth}, {&form.HScroll6, *v.hourWidth},
      {&form.HScroll7, *v.minuteWidth}};
  for (const auto& [slider, value] : sliders)
    if (!InRange(*slider, value)) return std::nullopt;

  if (read.HasFrame()) {
    v.frameColor = Or0(v.frameColor);
    auto slider = SliderValue(*v.frameSize);
    if (!slider || !InRange(form.HScroll8, *slider) || *v.frameSize < 0) return std::nullopt;
    plan.frameSlider = *slider;
  }
  if (read.HasDigital()) {
    v.digitalTop = Or0(v.digitalTop);
    if (!v.fontName || v.fontName->empty()) return std::nullopt;
    auto font = platform.FromAnsi(*v.fontName);
    if (!font) return std::nullopt;
    plan.fontName = *font;
    if (!v.fontSize || !(*v.fontSize > 0)) return std::nullopt;
    for (auto* f : {&v.fontBold, &v.fontItalic, &v.fontUnderline, &v.fontStrikethru}) *f = Or0(*f);
    v.digitalColor = Or0(v.digitalColor);
  }
  if (read.HasCuckoo1()) v.cuckoo1Top = Or0(v.cuckoo1Top);
  if (read.HasCuckoo2()) v.cuckoo2Top = Or0(v.cuckoo2Top);
  return plan;
}

namespace {

void ApplyHand(LineShape& line, Shape& swatch, ScrollBar& length, ScrollBar& width, int32_t color, int16_t len,
               int16_t w) {
  swatch.fillColor = color;
  line.borderColor = color;
  length.SetValue(len);
  line.borderWidth = w;
  width.SetValue(w);
  if (len == 0) line.visible = false;
}

void EnableCuckooArrows(DesignerForm& f, bool enabled) {
  for (Control* c : {&f.hato_top, &f.hato_bottom, &f.hato_left, &f.hato_right}) c->enabled = enabled;
}

}  // namespace

void ApplyImport(DesignerForm& f, const ImportPlan& plan) {
  const faceformat::ClockSettings& v = plan.values;
  f.Line1.visible = f.Line2.visible = f.Line3.visible = true;
  f.PS_Text1.enabled = f.PS_Text2.enabled = true;
  f.PS_Text1.text = plan.regionPath;
  f.PS_Text2.text = plan.bitmapPath;
  ApplyHand(f.Line1, f.clbox1, f.HScroll1, f.HScroll5, *v.secondColor, *v.secondLength, *v.secondWidth);
  ApplyHand(f.Line3, f.clbox3, f.HScroll3, f.HScroll7, *v.minuteColor, *v.minuteLength, *v.minuteWidth);
  ApplyHand(f.Line2, f.clbox2, f.HScroll2, f.HScroll6, *v.hourColor, *v.hourLength, *v.hourWidth);

  const double dot = *v.centerDotSize;
  f.clbox4.fillColor = f.centerdot.fillColor = *v.centerDotColor;
  f.centerdot.Place(kPreviewCentre - dot / 2, kPreviewCentre - dot / 2, dot, dot);
  f.HScroll4.SetValue(*v.centerDotSize);
  if (*v.centerDotSize == 0) f.centerdot.visible = false;

  if (v.HasFrame()) {
    const double size = *v.frameSize;
    f.circleCheck.SetValue(1);
    f.waku.visible = true;
    f.waku.Place(kPreviewCentre - size / 2, kPreviewCentre - size / 2, size, size);
    f.HScroll8.SetValue(plan.frameSlider);
    f.waku.borderColor = *v.frameColor;
    f.circleCheck.foreColor = *v.frameColor;
  } else {
    f.circleCheck.SetValue(0);
  }

  if (v.HasDigital()) {
    f.digicheck.SetValue(1);
    f.digitxt.visible = true;
    f.digitxt.Move(*v.digitalLeft, *v.digitalTop);
    f.digitxt.font = {plan.fontName, *v.fontSize, *v.fontBold, *v.fontItalic, *v.fontUnderline, *v.fontStrikethru};
    f.digitxt.foreColor = *v.digitalColor;
    if (v.digitalStyle == "hm") f.digistyle1.SetValue(true);
    if (v.digitalStyle == "hms") f.digistyle2.SetValue(true);
  } else {
    f.digicheck.SetValue(0);
  }

  f.hatoCheck1.SetValue(0);
  f.hatoCheck2.SetValue(0);
  // One cuckoo at most: B wins when both are present, as it always has.
  const int cuckoo = v.HasCuckoo2() ? 2 : v.HasCuckoo1() ? 1 : 0;
  if (cuckoo == 1) f.hatoCheck1.SetValue(1);
  if (cuckoo == 2) f.hatoCheck2.SetValue(1);
  f.Label34.enabled = cuckoo == 1;
  f.Label35.enabled = cuckoo == 2;
  EnableCuckooArrows(f, cuckoo != 0);
  f.Image3.visible = cuckoo == 1;
  f.Image4.visible = cuckoo == 2;
  // Each given place is kept, shown or not.
  if (v.HasCuckoo1()) f.Image3.Move(*v.cuckoo1Left, *v.cuckoo1Top);
  if (v.HasCuckoo2()) f.Image4.Move(*v.cuckoo2Left, *v.cuckoo2Top);
}

bool ImportSettings(DesignerForm& form, FilesPlatform& platform) {
  try {
    auto read = faceformat::ReadSettingsFile(PathFromText(form.fpath.text));
    std::optional<ImportPlan> plan;
    if (read) plan = PlanImport(form, *read, platform);
    if (plan) {
      ApplyImport(form, *plan);
      // No options file, or one that cannot be read, is the clock with every option at its default.
      auto options = faceformat::ReadClockOptions(PathFromText(form.fpath.text));
      ApplyOptions(form, options ? *options : faceformat::ClockOptions{});
      return true;
    }
  } catch (const std::bad_alloc&) {
  }
  form.services.messages->Show(kImportFailed, kImportFailedTitle, kMbOk);
  return false;
}

void reini_Click(DesignerForm& form, FilesPlatform& platform) {
  std::optional<std::wstring> path =
      form.services.dialogs->ShowSave({kImportDialogTitle, kImportDialogFilter, kFileHideReadOnly | kFilePathMustExist});
  if (!path) return;
  form.fpath.text = *path;
  ImportSettings(form, platform);
}

}  // namespace designer
