// The form's design-time state, its handler wiring and its load handler.
#include <cstdio>

#include "form.h"
#include "texts.h"

namespace designer {

std::wstring TrimTrailingSeparator(std::wstring path) {
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

// Case-sensitive, on the last seven characters: "X\myprogram" counts, "X\Program" does not.
bool EndsWithProgram(const std::wstring& path) {
  static const std::wstring kProgram = L"program";
  return path.size() >= kProgram.size() && path.compare(path.size() - kProgram.size(), kProgram.size(), kProgram) == 0;
}

DesignerForm::DesignerForm(const Services& s) : services(s) {
  SetUpControls();
  BindHandlers();
}

void DesignerForm::SetUpControls() {
  Form1.caption = text::kMainCaption;
  MultiPage1.pages = {{text::kPageSelect, text::kPageSelectTip},
                      {text::kPageSettings, text::kPageSettingsTip},
                      {text::kPageCreate, text::kPageCreateTip},
                      {text::kPageInfo, text::kPageInfoTip},
                      {text::kPageOptions, text::kPageOptionsTip}};
  Frame2.visible = Frame3.visible = Frame4.visible = Frame5.visible = false;
  append.caption = text::kExit;
  Timer1.interval = 1000;
  gosw1.visible = false;
  gosw1.text = L"0";
  fpath.visible = false;
  SetUpSelectPage();
  SetUpSettingsPage();
  SetUpCreateAndInfoPages();
  SetUpOptionsPage();
}

void DesignerForm::BindHandlers() {
  MultiPage1.onChange = [this] { MultiPage1_Change(); };
  Option1.onClick = [this] { Option1_Click(); };
  Option2.onClick = [this] { Option2_Click(); };
  for (int row = 1; row <= 4; ++row) {
    CommandButton* buttons[] = {&ColorBT1, &ColorBT2, &ColorBT3, &ColorBT4};
    buttons[row - 1]->onClick = [this, row] { ColorBT_Click(row); };
    Slider(row).onChange = [this, row] { HScrollLength_Change(row); };
  }
  for (int row = 5; row <= 7; ++row) Slider(row).onChange = [this, row] { HScrollWidth_Change(row); };
  circleCheck.onClick = [this] { circleCheck_Click(); };
  circlecolor.onClick = [this] { circlecolor_Click(); };
  HScroll8.onChange = [this] { HScroll8_Change(); };
  hatoCheck1.onClick = [this] { hatoCheck1_Click(); };
  hatoCheck2.onClick = [this] { hatoCheck2_Click(); };
  hato_top.onClick = [this] { MoveCuckoo(0, -10); };
  hato_bottom.onClick = [this] { MoveCuckoo(0, 10); };
  hato_left.onClick = [this] { MoveCuckoo(-10, 0); };
  hato_right.onClick = [this] { MoveCuckoo(10, 0); };
  digicheck.onClick = [this] { digicheck_Click(); };
  digifont.onClick = [this] { digifont_Click(); };
  fontmove_up.onClick = [this] { MoveReadout(0, -10); };
  fontmove_down.onClick = [this] { MoveReadout(0, 10); };
  fontmove_left.onClick = [this] { MoveReadout(-10, 0); };
  fontmove_right.onClick = [this] { MoveReadout(10, 0); };
  append.onClick = [this] { append_Click(); };
  quietCheck.onClick = [this] { quietCheck_Click(); };
  opacityScroll.onChange = [this] { opacityScroll_Change(); };
  // iniout, reini and rgpedit belong to the export, the import and the region file maker.
}

void DesignerForm::Form_Load() {
  baseDir = TrimTrailingSeparator(services.folders->CurrentDirectory());
  if (EndsWithProgram(baseDir)) {
    services.folders->ChangeDirectory(L"../");
    baseDir = TrimTrailingSeparator(services.folders->CurrentDirectory());
  }
  helpFile = baseDir + L"\\program\\help\\clock.html";
  appTitle = text::kAppTitle;

  previewLengthScale = 90;
  secondLengthFactor = float(HScroll1.value) / 10;
  hourLengthFactor = float(HScroll2.value) / 10;
  minuteLengthFactor = float(HScroll3.value) / 10;
  for (int row = 1; row <= 3; ++row) {
    LineShape& hand = Hand(row);
    hand.x1 = hand.y1 = kPreviewCentre;
    hand.borderColor = Swatch(row).fillColor;
  }

  Form1.width = 8780;
  Form1.height = 5985;
  MultiPage1.Place(90, 60, 8000, 5000);
  for (Control* frame : {&Frame1, &Frame2, &Frame3, &Frame4, &Frame5}) frame->Place(180, 180, 6855, 4755);
  Option1.SetValue(false);
  Option2.SetValue(false);
  settingsPath = baseDir + L"\\program\\tkt.ini";
  FillZoneList();
}

Shape& DesignerForm::Swatch(int row) {
  Shape* swatches[] = {&clbox1, &clbox2, &clbox3, &clbox4};
  return *swatches[row - 1];
}

LineShape& DesignerForm::Hand(int row) {
  LineShape* hands[] = {&Line1, &Line2, &Line3};
  return *hands[row - 1];
}

ScrollBar& DesignerForm::Slider(int index) {
  ScrollBar* sliders[] = {&HScroll1, &HScroll2, &HScroll3, &HScroll4, &HScroll5, &HScroll6, &HScroll7, &HScroll8};
  return *sliders[index - 1];
}

}  // namespace designer
