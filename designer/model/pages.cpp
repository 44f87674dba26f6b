// Page flow of MultiPage1, the two ways to get a face, and the sample templates.
#include "form.h"

#include <new>

#include "faceformat/settings.h"
#include "paths.h"
#include "texts.h"

namespace designer {
namespace {

// The clock's own default face is the kaichu sample: its hands come from there.
TemplateValues Kaichu() {
  const faceformat::ClockSettings s = faceformat::KaichuTemplate("");
  return {L"kaichu", *s.secondColor, *s.secondLength, *s.secondWidth, *s.hourColor, *s.hourLength, *s.hourWidth,
          *s.minuteColor, *s.minuteLength, *s.minuteWidth, *s.centerDotColor, *s.centerDotSize};
}

}  // namespace

const std::array<TemplateValues, 4> kTemplates = {{
    Kaichu(),
    {L"army", 12566463, 75, 1, 12228472, 40, 4, 11909257, 70, 2, 12632256, 136},
    {L"hato", 16777215, 35, 1, 9288892, 15, 3, 13296096, 30, 2, 128, 100},
    {L"meca", 16777215, 100, 2, 65535, 75, 13, 16711680, 100, 9, 32896, 190},
}};

void DesignerForm::SetUpSelectPage() {
  Label10.caption = text::kLabel10;
  modeGroup.members = {&Option1, &Option2};
  Option1.group = Option2.group = &modeGroup;
  Option1.caption = text::kOption1;
  Option2.caption = text::kOption2;
  Image1.resource = "sample:kaichu";
  Image2.resource = "icon";

  // Nothing of either mode shows until a mode is chosen.
  photoselect1.visible = false;
  templateGroup.members = {&Option3, &Option4, &Option5, &Option6};
  const wchar_t* captions[] = {text::kOption3, text::kOption4, text::kOption5, text::kOption6};
  for (int i = 0; i < 4; ++i) {
    templateGroup.members[size_t(i)]->group = &templateGroup;
    templateGroup.members[size_t(i)]->caption = captions[i];
  }
  ImageBox* thumbs[] = {&sampleThumb3, &sampleThumb4, &sampleThumb5, &sampleThumb6};
  for (int i = 0; i < 4; ++i) {
    const std::wstring name = kTemplates[size_t(i)].name;
    thumbs[i]->resource = "sample:" + std::string(name.begin(), name.end());
  }
  for (Control* c : std::initializer_list<Control*>{&photoselect2, &PS_Label1, &PS_Label2, &PS_Label3, &PS_Label4,
                                                    &PS_Text1, &PS_Text2, &Label26, &reini, &rgpedit}) {
    c->visible = false;
  }
  PS_Label1.caption = text::kPsLabel1;
  PS_Label2.caption = text::kPsLabel2;
  PS_Label3.caption = text::kPsLabel3;
  PS_Label4.caption = text::kPsLabel4;
  Label26.caption = text::kLabel26;
  for (TextBox* field : {&PS_Text1, &PS_Text2}) {
    field->backColor = RgbColor(224, 224, 224);
    field->enabled = false;
  }
  reini.caption = text::kReini;
  rgpedit.caption = text::kRgpedit;
}

void DesignerForm::ShowOnlyFrame(Control& frame) {
  for (Control* f : {&Frame1, &Frame2, &Frame3, &Frame4, &Frame5}) f->visible = (f == &frame);
}

void DesignerForm::MultiPage1_Change() {
  const std::wstring& caption = MultiPage1.SelectedCaption();
  if (caption == text::kPageSelect) {
    ShowOnlyFrame(Frame1);
  } else if (caption == text::kPageSettings) {
    picturePath = AbsolutePath(FolderOf(settingsPath), PS_Text2.text);  // as the export will write it
    ShowOnlyFrame(Frame2);
    if (Option1.value) {
      int chosen = SelectedTemplate();
      if (chosen >= 0) ApplyTemplate(chosen);
      ResetCuckoo();
      for (int row = 1; row <= 3; ++row) Hand(row).borderColor = Swatch(row).fillColor;
    }
    if (Option2.value && !PS_Text2.text.empty()) LoadPreviewPicture(picturePath);
  } else if (caption == text::kPageCreate) {
    ShowOnlyFrame(Frame3);
    UpdateCreateStatus();
  } else if (caption == text::kPageInfo) {
    ShowOnlyFrame(Frame4);
  } else if (caption == text::kPageOptions) {
    ShowOnlyFrame(Frame5);
  }
}

void DesignerForm::UpdateCreateStatus() {
  if (gosw1.text != L"0" && gosw1.text != L"1") return;
  bool ready = gosw1.text == L"1" || (!PS_Text1.text.empty() && !PS_Text2.text.empty());
  Label5.caption = ready ? text::kWillSave : text::kNotSetYet;
  Label1.caption = ready ? text::kPressToSave : text::kGoBackToSelect;
}

int DesignerForm::SelectedTemplate() const {
  const OptionButton* options[] = {&Option3, &Option4, &Option5, &Option6};
  for (int i = 0; i < 4; ++i) {
    if (options[i]->value) return i;
  }
  return -1;
}

void DesignerForm::ApplyTemplate(int index) {
  const TemplateValues& t = kTemplates[size_t(index)];
  clbox1.fillColor = t.secondColor;
  HScroll1.SetValue(t.secondLength);
  HScroll5.SetValue(t.secondWidth);
  clbox2.fillColor = t.hourColor;
  HScroll2.SetValue(t.hourLength);
  HScroll6.SetValue(t.hourWidth);
  clbox3.fillColor = t.minuteColor;
  HScroll3.SetValue(t.minuteLength);
  HScroll7.SetValue(t.minuteWidth);
  clbox4.fillColor = t.centerDotColor;
  HScroll4.SetValue(t.centerDotSize);

  const std::wstring name = t.name;
  if (name == L"hato") {
    digicheck.SetValue(1);
    digitxt.Move(1130, 690);
    digistyle1.SetValue(true);
    digitxt.font = {L"Times New Roman", 9.75, true, false, false, false};
    digitxt.foreColor = RgbColor(255, 255, 0);
    circleCheck.SetValue(0);
  } else if (name == L"meca") {
    circleCheck.SetValue(1);
    circleCheck.foreColor = RgbColor(255, 0, 0);
    waku.borderColor = circleCheck.foreColor;
    waku.width = 609;
    HScroll8.SetValue(int(waku.width));
    waku.Move(1045, 1045);
    digicheck.SetValue(0);
  } else {
    digicheck.SetValue(0);
    circleCheck.SetValue(0);
  }

  picturePath = baseDir + L"\\sample\\" + name + L".bmp";
  LoadPreviewPicture(picturePath);
  gosw1.text = L"1";
}

// A picture that cannot be read, or not held in memory, leaves the preview without one; the page still opens.
void DesignerForm::LoadPreviewPicture(const std::wstring& path) {
  OLGPic1.pictureFile = path;
  OLGPic1.picture = nullptr;
  try {
    if (services.pictures) OLGPic1.picture = services.pictures->Load(path);
  } catch (const std::bad_alloc&) {
  }
}

void DesignerForm::Option1_Click() {
  photoselect1.visible = true;
  for (Control* c : std::initializer_list<Control*>{&photoselect2, &PS_Text1, &PS_Text2, &PS_Label1, &PS_Label2,
                                                    &PS_Label3, &PS_Label4, &Label26, &reini}) {
    c->visible = false;
  }
  Option2.SetValue(false);
  rgpedit.visible = false;
  for (OptionButton* o : templateGroup.members) o->visible = true;
}

void DesignerForm::Option2_Click() {
  photoselect1.visible = false;
  for (Control* c : std::initializer_list<Control*>{&photoselect2, &PS_Text1, &PS_Text2, &PS_Label1, &PS_Label2,
                                                    &PS_Label3, &PS_Label4, &Label26, &reini}) {
    c->visible = true;
  }
  Option1.SetValue(false);
  rgpedit.visible = true;
  for (OptionButton* o : templateGroup.members) o->visible = false;
  gosw1.text = L"0";
}

}  // namespace designer
