// The settings page's hand, centre dot and frame circle controls.
#include "form.h"
#include "texts.h"

namespace designer {

void DesignerForm::SetUpSettingsPage() {
  Label7.caption = text::kLabel7;
  OLGPic1.Place(0, 0, 2760, 2760);
  OLGPic1.tip = text::kPreviewTip;

  const Color swatches[] = {RgbColor(128, 128, 128), RgbColor(255, 255, 255), RgbColor(255, 255, 255),
                            RgbColor(64, 0, 0)};
  const wchar_t* groups[] = {text::kGroupSecond, text::kGroupHour, text::kGroupMinute, text::kGroupCenter};
  Label* groupLabels[] = {&groupSecond, &groupHour, &groupMinute, &groupCenter};
  CommandButton* buttons[] = {&ColorBT1, &ColorBT2, &ColorBT3, &ColorBT4};
  for (int row = 1; row <= 4; ++row) {
    Swatch(row).fillColor = swatches[row - 1];
    Swatch(row).filled = true;
    groupLabels[row - 1]->caption = groups[row - 1];
    groupLabels[row - 1]->foreColor = kOlive;
    buttons[row - 1]->caption = text::kChangeColor;
  }
  for (Label* l : {&lengthLabel1, &lengthLabel2, &lengthLabel3}) l->caption = text::kHandLength;
  for (Label* l : {&widthLabel5, &widthLabel6, &widthLabel7}) l->caption = text::kHandWidth;
  sizeLabel4.caption = text::kAxisSize;

  // The hands stand at twelve until the first tick moves them.
  for (int row = 1; row <= 3; ++row) {
    LineShape& hand = Hand(row);
    hand.x1 = hand.y1 = hand.x2 = kPreviewCentre;
    hand.y2 = kPreviewCentre - Slider(row).value / 10.0 * 90;
    hand.borderWidth = Slider(row + 4).value;
  }
  const double dot = HScroll4.value;
  centerdot.Place(kPreviewCentre - dot / 2, kPreviewCentre - dot / 2, dot, dot);
  centerdot.filled = true;
  centerdot.fillColor = clbox4.fillColor;
  centerdot.borderColor = clbox4.fillColor;

  circleCheck.caption = text::kCircleCheck;
  circleCheck.tip = text::kDisplayOnPictureTip;
  circleCheck.foreColor = kOlive;
  circlecolor.caption = text::kCircleColor;
  circlecolor.enabled = false;
  HScroll8.enabled = false;
  waku.visible = false;
  waku.Place(0, 0, 2700, 2700);
  waku.borderColor = kOlive;

  Label36.caption = text::kLabel36;
  Label36.foreColor = kOlive;
  Label34.caption = text::kLabel34;
  Label35.caption = text::kLabel35;
  Label34.enabled = Label35.enabled = false;
  Image3.resource = "cuckoo-a";
  Image4.resource = "cuckoo-b";
  for (ImageBox* door : {&Image3, &Image4}) {
    door->Place(1140, 960, 450, 390);
    door->visible = false;
  }
  const wchar_t* arrows[] = {text::kUp, text::kDown, text::kLeft, text::kRight};
  CommandButton* hatoArrows[] = {&hato_top, &hato_bottom, &hato_left, &hato_right};
  CommandButton* fontArrows[] = {&fontmove_up, &fontmove_down, &fontmove_left, &fontmove_right};
  for (int i = 0; i < 4; ++i) {
    hatoArrows[i]->caption = fontArrows[i]->caption = arrows[i];
    hatoArrows[i]->enabled = fontArrows[i]->enabled = false;
  }

  digicheck.caption = text::kDigicheck;
  digicheck.tip = text::kDisplayOnPictureTip;
  styleGroup.members = {&digistyle1, &digistyle2};
  digistyle1.group = digistyle2.group = &styleGroup;
  digistyle1.caption = text::kDigistyle1;
  digistyle2.caption = text::kDigistyle2;
  digistyle1.enabled = digistyle2.enabled = false;
  digifont.caption = text::kDigifont;
  digifont.enabled = false;
  digitxt.caption = text::kDigitxtStart;
  digitxt.visible = false;
  digitxt.Place(1860, 2220, 600, 285);
  digitxt.foreColor = RgbColor(255, 255, 0);
  digitxt.font = {L"Times New Roman", 12, true, false, false, false};
}

void DesignerForm::ColorBT_Click(int row) {
  std::optional<Color> chosen = services.dialogs->ShowColor(Swatch(row).fillColor, kColorStartFromGiven);
  if (!chosen) return;
  Swatch(row).fillColor = *chosen;
  if (row <= 3) Hand(row).borderColor = Swatch(row).fillColor;
}

void DesignerForm::HScrollLength_Change(int row) {
  Control& element = row <= 3 ? static_cast<Control&>(Hand(row)) : static_cast<Control&>(centerdot);
  element.visible = Slider(row).value != 0;
}

void DesignerForm::HScrollWidth_Change(int row) { Hand(row - 4).borderWidth = Slider(row).value; }

void DesignerForm::SizeFrameCircle() {
  const double d = *circleDiameter;
  waku.Place(kPreviewCentre - d / 2, kPreviewCentre - d / 2, d, d);
}

void DesignerForm::circleCheck_Click() {
  if (circleCheck.checked()) {
    circlecolor.enabled = HScroll8.enabled = true;
    waku.visible = true;
    circleDiameter = HScroll8.value;
    SizeFrameCircle();
    waku.borderColor = circleCheck.foreColor;
  } else {
    circlecolor.enabled = HScroll8.enabled = false;
    waku.visible = false;
  }
}

void DesignerForm::circlecolor_Click() {
  std::optional<Color> chosen = services.dialogs->ShowColor(circleCheck.foreColor, kColorStartFromGiven);
  if (!chosen) return;
  circleCheck.foreColor = *chosen;
  waku.visible = true;
  circleDiameter = HScroll8.value;
  SizeFrameCircle();
  waku.borderColor = circleCheck.foreColor;
}

void DesignerForm::HScroll8_Change() {
  circleDiameter = HScroll8.value;
  SizeFrameCircle();
  waku.borderColor = circleCheck.foreColor;
}

}  // namespace designer
