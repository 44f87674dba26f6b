// The main window's pages, laid out on a grid: left column the preview or pictures, right column the
// controls, rows 22 pixels apart, labels right of their check boxes, buttons in one column.
#include "layout.h"

namespace designer {

namespace {

class Builder {
 public:
  explicit Builder(std::vector<Placement>& items) : items_(items) {}
  void Frame(Control& frame) { frame_ = &frame; }
  Placement& Add(Control& c, int x, int y, int w, int h, Look look = Look::Plain) {
    items_.push_back({&c, frame_, {x, y, w, h}, look, std::nullopt});
    return items_.back();
  }
  void AddBoxWithCaption(Control& c, int x, int y, int captionWidth) {
    Add(c, x, y, 16, 18, Look::BoxOnly).captionBox = PixelBox{x + 17, y + 1, captionWidth, 16};
  }

 private:
  std::vector<Placement>& items_;
  Control* frame_ = nullptr;
};

void SelectPage(Builder& b, DesignerForm& f) {
  b.Frame(f.Frame1);
  b.Add(f.photoselect2, 12, 94, 532, 198, Look::Outline);
  b.Add(f.Label10, 16, 10, 520, 18, Look::Heading);
  b.Add(f.Image1, 24, 36, 48, 48);
  b.Add(f.Option1, 80, 50, 190, 20);
  b.Add(f.Image2, 296, 36, 48, 48);
  b.Add(f.Option2, 352, 50, 190, 20);

  b.Add(f.photoselect1, 12, 94, 532, 198, Look::Outline);
  OptionButton* options[] = {&f.Option3, &f.Option4, &f.Option5, &f.Option6};
  ImageBox* thumbs[] = {&f.sampleThumb3, &f.sampleThumb4, &f.sampleThumb5, &f.sampleThumb6};
  for (int i = 0; i < 4; ++i) {
    const int x = 20 + i * 130;
    b.Add(*thumbs[i], x + 13, 112, 96, 96);
    b.Add(*options[i], x + 6, 222, 116, 20);
  }

  b.Add(f.PS_Label4, 24, 104, 508, 18);
  b.Add(f.PS_Label1, 24, 134, 104, 18);
  b.Add(f.PS_Text1, 130, 131, 402, 22);
  b.Add(f.PS_Label2, 24, 164, 104, 18);
  b.Add(f.PS_Text2, 130, 161, 402, 22);
  b.Add(f.PS_Label3, 24, 206, 346, 18);
  b.Add(f.reini, 376, 201, 156, 26);
  b.Add(f.Label26, 24, 246, 346, 18);
  b.Add(f.rgpedit, 376, 241, 156, 26);
}

void SettingsPage(Builder& b, DesignerForm& f) {
  b.Frame(f.Frame2);
  b.Add(f.Label7, 8, 6, 190, 16);
  b.Add(f.OLGPic1, 8, 26, 184, 184);

  // Cuckoo: check boxes at left, the four arrows as a cross at right.
  b.Add(f.Label36, 8, 218, 110, 16, Look::Heading);
  b.Add(f.hatoCheck1, 8, 240, 16, 18);
  b.Add(f.Label34, 25, 241, 34, 16);
  b.Add(f.hatoCheck2, 64, 240, 16, 18);
  b.Add(f.Label35, 81, 241, 34, 16);
  b.Add(f.hato_top, 146, 214, 22, 22);
  b.Add(f.hato_left, 124, 236, 22, 22);
  b.Add(f.hato_right, 168, 236, 22, 22);
  b.Add(f.hato_bottom, 146, 258, 22, 22);

  // One block per element: group label, length row, width row; swatch and colour button on the first row.
  Label* groups[] = {&f.groupSecond, &f.groupHour, &f.groupMinute, &f.groupCenter};
  Label* firstLabels[] = {&f.lengthLabel1, &f.lengthLabel2, &f.lengthLabel3, &f.sizeLabel4};
  Label* widthLabels[] = {&f.widthLabel5, &f.widthLabel6, &f.widthLabel7};
  CommandButton* buttons[] = {&f.ColorBT1, &f.ColorBT2, &f.ColorBT3, &f.ColorBT4};
  for (int row = 1; row <= 4; ++row) {
    const int y = 6 + (row - 1) * 46;
    b.Add(*groups[row - 1], 212, y + 2, 48, 16, Look::Heading);
    b.Add(*firstLabels[row - 1], 262, y + 2, 66, 16);
    b.Add(f.Slider(row), 330, y + 1, 126, 17);
    b.Add(f.Swatch(row), 464, y, 20, 20, Look::Swatch);
    b.Add(*buttons[row - 1], 490, y - 1, 58, 22);
    if (row <= 3) {
      b.Add(*widthLabels[row - 1], 262, y + 24, 66, 16);
      b.Add(f.Slider(row + 4), 330, y + 23, 126, 17);
    }
  }

  // Frame circle: its caption shows in the circle's colour, so it sits apart from the box.
  b.AddBoxWithCaption(f.circleCheck, 212, 174, 46);
  b.Add(f.HScroll8, 330, 175, 126, 17);
  b.Add(f.circlecolor, 490, 172, 58, 22);

  // Digital read-out.
  b.Add(f.digicheck, 212, 206, 112, 18);
  b.Add(f.digistyle1, 230, 230, 76, 18);
  b.Add(f.digistyle2, 310, 230, 100, 18);
  b.Add(f.digifont, 230, 256, 110, 24);
  b.Add(f.fontmove_up, 504, 206, 22, 22);
  b.Add(f.fontmove_left, 482, 228, 22, 22);
  b.Add(f.fontmove_right, 526, 228, 22, 22);
  b.Add(f.fontmove_down, 504, 250, 22, 22);
}

void CreatePage(Builder& b, DesignerForm& f) {
  b.Frame(f.Frame3);
  b.Add(f.Label29, 20, 14, 120, 18, Look::Heading);
  b.Add(f.step1, 24, 44, 22, 18);
  b.Add(f.Label5, 48, 44, 490, 18);
  b.Add(f.step2, 24, 72, 22, 18);
  b.Add(f.Label1, 48, 72, 490, 18);
  b.Add(f.iniout, 48, 100, 150, 30);
  b.Add(f.step3, 24, 148, 22, 18);
  b.Add(f.Label2, 48, 148, 490, 76, Look::Wrapping);
  b.Add(f.Label3, 420, 266, 118, 18);
}

void InfoPage(Builder& b, DesignerForm& f) {
  b.Frame(f.Frame4);
  b.Add(f.infoPicture, 16, 14, 201, 135);
  b.Add(f.infoVersion, 232, 16, 300, 20, Look::Heading);
  b.Add(f.infoCredit, 232, 44, 306, 48, Look::Wrapping);
  b.Add(f.infoSupport, 232, 104, 306, 18);
  b.Add(f.infoRgpHeading, 16, 160, 522, 18, Look::Heading);
  b.Add(f.infoRgpText, 16, 182, 522, 48, Look::Wrapping);
  b.Add(f.infoRequest, 16, 236, 522, 48, Look::Wrapping);
}

// Options: a label column and a control column, then the other-clock block in a frame at the bottom.
void OptionsPage(Builder& b, DesignerForm& f) {
  b.Frame(f.Frame5);
  b.Add(f.anotherFrame, 12, 182, 532, 110, Look::Outline);
  b.Add(f.zoneLabel, 16, 14, 100, 18);
  b.Add(f.zoneList, 120, 10, 420, 24);
  b.Add(f.nameLabel, 16, 44, 100, 18);
  b.Add(f.clockName, 120, 40, 250, 22);
  b.Add(f.chimeLabel, 16, 72, 100, 18);
  b.Add(f.chimeHalfHour, 120, 70, 136, 20);
  b.Add(f.chimeHour, 262, 70, 118, 20);
  b.Add(f.chimeOff, 386, 70, 110, 20);
  b.Add(f.quietCheck, 16, 98, 140, 20);
  b.Add(f.quietFrom, 160, 97, 56, 22);
  b.Add(f.quietTilde, 220, 100, 18, 18);
  b.Add(f.quietTo, 242, 97, 56, 22);
  b.Add(f.opacityLabel, 16, 128, 100, 18);
  b.Add(f.opacityScroll, 120, 127, 200, 17);
  b.Add(f.opacityValue, 328, 128, 48, 18);
  b.Add(f.fadeCheck, 16, 152, 300, 20);
  b.Add(f.anotherHeading, 24, 190, 300, 18, Look::Heading);
  b.Add(f.anotherLabel, 24, 218, 78, 18);
  b.Add(f.anotherName, 104, 214, 200, 22);
  b.Add(f.anotherExt, 308, 218, 40, 18);
  b.Add(f.another, 376, 212, 156, 26);
  b.Add(f.startupCheck, 24, 254, 340, 20);
}

}  // namespace

std::vector<Placement> LayoutForm(DesignerForm& form) {
  std::vector<Placement> items;
  Builder b(items);
  SelectPage(b, form);
  SettingsPage(b, form);
  CreatePage(b, form);
  InfoPage(b, form);
  OptionsPage(b, form);
  return items;
}

}  // namespace designer
