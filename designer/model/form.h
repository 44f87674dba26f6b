// The main designer window Form1 without a window: its controls under their own names, the window's
// state, and the handlers. The controls are the document: every face value lives in a control, and
// setting a control's value runs that control's handler at once.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "controls.h"
#include "base/units.h"
#include "services.h"

namespace designer {

struct Services {
  CommonDialogService* dialogs = nullptr;
  MessageService* messages = nullptr;
  FolderService* folders = nullptr;
  PictureService* pictures = nullptr;
  ShellService* shell = nullptr;
  ZoneService* zones = nullptr;  // none: the list holds only the PC's own zone
};

// A local time of day for the preview tick.
struct TickTime {
  int hour = 0, minute = 0, second = 0;
};

// The sample faces of the clock selection page, in the order of Option3..Option6.
struct TemplateValues {
  const wchar_t* name;  // file name in the sample folder, without extension
  Color secondColor;
  int secondLength, secondWidth;
  Color hourColor;
  int hourLength, hourWidth;
  Color minuteColor;
  int minuteLength, minuteWidth;
  Color centerDotColor;
  int centerDotSize;
};
extern const std::array<TemplateValues, 4> kTemplates;

inline constexpr double kPreviewCentre = 1350;   // twips inside OLGPic1
inline constexpr double kPreviewSize = 2700;     // the 180-pixel face area inside OLGPic1's border

// "X\program" -> "X"; anything else stays. Without a trailing separator.
std::wstring TrimTrailingSeparator(std::wstring path);
bool EndsWithProgram(const std::wstring& path);

class DesignerForm {
 public:
  explicit DesignerForm(const Services& services);
  DesignerForm(const DesignerForm&) = delete;
  DesignerForm& operator=(const DesignerForm&) = delete;

  // --- Window state ---
  std::wstring baseDir;
  std::wstring settingsPath;
  std::wstring picturePath;
  std::wstring helpFile;
  std::wstring appTitle;
  std::optional<int> circleDiameter;
  int previewLengthScale = 0;
  float secondLengthFactor = 0, hourLengthFactor = 0, minuteLengthFactor = 0;
  // What the font dialog held after its last use.
  std::optional<FontChoice> lastFontChoice;

  // --- The window and its page control ---
  Control Form1{L"Form1"};
  MultiPage MultiPage1{L"MultiPage1", &Form1};
  Control Frame1{L"Frame1", &Form1};
  Control Frame2{L"Frame2", &Form1};
  Control Frame3{L"Frame3", &Form1};
  Control Frame4{L"Frame4", &Form1};
  Control Frame5{L"Frame5", &Form1};
  CommandButton append{L"append", &Form1};
  Timer Timer1{L"Timer1", &Form1};
  TextBox gosw1{L"gosw1", &Form1};  // hidden: "1" once a template has been applied
  TextBox fpath{L"fpath", &Form1};  // hidden: the settings file last imported

  // --- Clock selection page (Frame1) ---
  Label Label10{L"Label10", &Frame1};
  OptionGroup modeGroup;
  OptionButton Option1{L"Option1", &Frame1};
  OptionButton Option2{L"Option2", &Frame1};
  ImageBox Image1{L"Image1", &Frame1};  // picture beside Option1
  ImageBox Image2{L"Image2", &Frame1};  // picture beside Option2
  Control photoselect1{L"photoselect1", &Frame1};
  OptionGroup templateGroup;
  OptionButton Option3{L"Option3", &photoselect1};
  OptionButton Option4{L"Option4", &photoselect1};
  OptionButton Option5{L"Option5", &photoselect1};
  OptionButton Option6{L"Option6", &photoselect1};
  // A picture of each sample above its option; clicking it chooses the option.
  ImageBox sampleThumb3{L"sampleThumb3", &photoselect1};
  ImageBox sampleThumb4{L"sampleThumb4", &photoselect1};
  ImageBox sampleThumb5{L"sampleThumb5", &photoselect1};
  ImageBox sampleThumb6{L"sampleThumb6", &photoselect1};
  Shape photoselect2{L"photoselect2", &Frame1, ShapeKind::Rectangle};
  Label PS_Label4{L"PS_Label4", &Frame1};
  Label PS_Label1{L"PS_Label1", &Frame1};
  TextBox PS_Text1{L"PS_Text1", &Frame1};
  Label PS_Label2{L"PS_Label2", &Frame1};
  TextBox PS_Text2{L"PS_Text2", &Frame1};
  Label PS_Label3{L"PS_Label3", &Frame1};
  Label Label26{L"Label26", &Frame1};
  CommandButton reini{L"reini", &Frame1};
  CommandButton rgpedit{L"rgpedit", &Frame1};

  // --- Settings page (Frame2) ---
  Label Label7{L"Label7", &Frame2};
  PictureBox OLGPic1{L"OLGPic1", &Frame2};
  LineShape Line1{L"Line1", &OLGPic1};  // second hand
  LineShape Line2{L"Line2", &OLGPic1};  // hour hand
  LineShape Line3{L"Line3", &OLGPic1};  // minute hand
  Shape centerdot{L"centerdot", &OLGPic1, ShapeKind::Circle};
  Shape waku{L"waku", &OLGPic1, ShapeKind::Circle};
  ImageBox Image3{L"Image3", &OLGPic1};  // cuckoo A
  ImageBox Image4{L"Image4", &OLGPic1};  // cuckoo B
  Label digitxt{L"digitxt", &OLGPic1};

  Label groupSecond{L"groupSecond", &Frame2};
  Label groupHour{L"groupHour", &Frame2};
  Label groupMinute{L"groupMinute", &Frame2};
  Label groupCenter{L"groupCenter", &Frame2};
  Label lengthLabel1{L"lengthLabel1", &Frame2};
  Label lengthLabel2{L"lengthLabel2", &Frame2};
  Label lengthLabel3{L"lengthLabel3", &Frame2};
  Label sizeLabel4{L"sizeLabel4", &Frame2};
  Label widthLabel5{L"widthLabel5", &Frame2};
  Label widthLabel6{L"widthLabel6", &Frame2};
  Label widthLabel7{L"widthLabel7", &Frame2};
  CommandButton ColorBT1{L"ColorBT1", &Frame2};
  CommandButton ColorBT2{L"ColorBT2", &Frame2};
  CommandButton ColorBT3{L"ColorBT3", &Frame2};
  CommandButton ColorBT4{L"ColorBT4", &Frame2};
  Shape clbox1{L"clbox1", &Frame2, ShapeKind::Rectangle};
  Shape clbox2{L"clbox2", &Frame2, ShapeKind::Rectangle};
  Shape clbox3{L"clbox3", &Frame2, ShapeKind::Rectangle};
  Shape clbox4{L"clbox4", &Frame2, ShapeKind::Rectangle};
  ScrollBar HScroll1{L"HScroll1", &Frame2, 0, 180, 5, 20, 50};
  ScrollBar HScroll2{L"HScroll2", &Frame2, 0, 180, 5, 20, 50};
  ScrollBar HScroll3{L"HScroll3", &Frame2, 0, 180, 5, 20, 50};
  ScrollBar HScroll4{L"HScroll4", &Frame2, 0, 2700, 1, 100, 120};
  ScrollBar HScroll5{L"HScroll5", &Frame2, 1, 50, 1, 15, 1};
  ScrollBar HScroll6{L"HScroll6", &Frame2, 1, 50, 1, 15, 3};
  ScrollBar HScroll7{L"HScroll7", &Frame2, 1, 50, 1, 15, 2};
  ScrollBar HScroll8{L"HScroll8", &Frame2, 0, 2700, 1, 10, 2700};
  CheckBox circleCheck{L"circleCheck", &Frame2};
  CommandButton circlecolor{L"circlecolor", &Frame2};

  Label Label36{L"Label36", &Frame2};
  CheckBox hatoCheck1{L"hatoCheck1", &Frame2};
  CheckBox hatoCheck2{L"hatoCheck2", &Frame2};
  Label Label34{L"Label34", &Frame2};
  Label Label35{L"Label35", &Frame2};
  CommandButton hato_top{L"hato_top", &Frame2};
  CommandButton hato_bottom{L"hato_bottom", &Frame2};
  CommandButton hato_left{L"hato_left", &Frame2};
  CommandButton hato_right{L"hato_right", &Frame2};

  CheckBox digicheck{L"digicheck", &Frame2};
  OptionGroup styleGroup;
  OptionButton digistyle1{L"digistyle1", &Frame2};
  OptionButton digistyle2{L"digistyle2", &Frame2};
  CommandButton digifont{L"digifont", &Frame2};
  CommandButton fontmove_up{L"fontmove_up", &Frame2};
  CommandButton fontmove_down{L"fontmove_down", &Frame2};
  CommandButton fontmove_left{L"fontmove_left", &Frame2};
  CommandButton fontmove_right{L"fontmove_right", &Frame2};

  // --- Create page (Frame3) ---
  Label Label29{L"Label29", &Frame3};
  Label step1{L"step1", &Frame3};
  Label step2{L"step2", &Frame3};
  Label step3{L"step3", &Frame3};
  Label Label5{L"Label5", &Frame3};
  Label Label1{L"Label1", &Frame3};
  CommandButton iniout{L"iniout", &Frame3};
  Label Label2{L"Label2", &Frame3};
  Label Label3{L"Label3", &Frame3};

  // --- Information page (Frame4) ---
  ImageBox infoPicture{L"infoPicture", &Frame4};
  Label infoVersion{L"infoVersion", &Frame4};
  Label infoRgpHeading{L"infoRgpHeading", &Frame4};
  Label infoRgpText{L"infoRgpText", &Frame4};
  Label infoRequest{L"infoRequest", &Frame4};
  Label infoCredit{L"infoCredit", &Frame4};
  Label infoSupport{L"infoSupport", &Frame4};

  // --- Options page (Frame5): the clock's own zone, name, chime hours and see-through face, kept in the
  // options file beside its settings file; and the same face saved as another clock ---
  Label zoneLabel{L"zoneLabel", &Frame5};
  ComboBox zoneList{L"zoneList", &Frame5};
  Label nameLabel{L"nameLabel", &Frame5};
  TextBox clockName{L"clockName", &Frame5};
  Label chimeLabel{L"chimeLabel", &Frame5};
  OptionGroup chimeGroup;
  OptionButton chimeHalfHour{L"chimeHalfHour", &Frame5};
  OptionButton chimeHour{L"chimeHour", &Frame5};
  OptionButton chimeOff{L"chimeOff", &Frame5};
  CheckBox quietCheck{L"quietCheck", &Frame5};
  TextBox quietFrom{L"quietFrom", &Frame5};
  Label quietTilde{L"quietTilde", &Frame5};
  TextBox quietTo{L"quietTo", &Frame5};
  Label opacityLabel{L"opacityLabel", &Frame5};
  ScrollBar opacityScroll{L"opacityScroll", &Frame5, 30, 100, 1, 10, 100};
  Label opacityValue{L"opacityValue", &Frame5};
  CheckBox fadeCheck{L"fadeCheck", &Frame5};
  Shape anotherFrame{L"anotherFrame", &Frame5, ShapeKind::Rectangle};
  Label anotherHeading{L"anotherHeading", &Frame5};
  Label anotherLabel{L"anotherLabel", &Frame5};
  TextBox anotherName{L"anotherName", &Frame5};  // the clock's file name, without ".ini"; empty: tkt.ini
  Label anotherExt{L"anotherExt", &Frame5};
  CommandButton another{L"another", &Frame5};
  CheckBox startupCheck{L"startupCheck", &Frame5};
  // The key of each zoneList entry; the first, empty, is the PC's own zone.
  std::vector<std::wstring> zoneKeys;

  // --- Handlers ---
  void Form_Load();
  void MultiPage1_Change();
  void Option1_Click();
  void Option2_Click();
  void ApplyTemplate(int index);  // 0..3: kaichu, army, hato, meca
  int SelectedTemplate() const;   // 0..3, or -1 when no template option is selected
  void LoadPreviewPicture(const std::wstring& path);

  void ColorBT_Click(int row);  // 1..4
  void HScrollLength_Change(int row);  // 1..4: HScroll1..HScroll4
  void HScrollWidth_Change(int row);   // 5..7: HScroll5..HScroll7
  void circleCheck_Click();
  void circlecolor_Click();
  void HScroll8_Change();

  void hatoCheck1_Click();
  void hatoCheck2_Click();
  void MoveCuckoo(double dx, double dy);
  void digicheck_Click();
  void digifont_Click();
  void MoveReadout(double dx, double dy);
  // The read-out dropped at (x, y) twips inside the preview: its top-left corner goes there.
  void OLGPic1_DragDrop(Control& source, double x, double y);
  // True when a drag released at (x, y) twips inside OLGPic1 lands on the preview itself, not on the
  // read-out or a visible cuckoo picture lying over it.
  bool IsPreviewDropPoint(double x, double y) const;

  void Timer1_Timer(const TickTime& now);

  void quietCheck_Click();
  void opacityScroll_Change();
  // The chosen zone's key; empty for the PC's own zone.
  std::wstring SelectedZone() const;
  // Chooses the zone of `key`; a key the list lacks joins it, so a file's zone survives a round trip.
  void SelectZone(const std::wstring& key);

  // The window's own commands: the exit button, F1, and a click on a picture beside an option (false when
  // `picture` is none of those pictures).
  void append_Click();
  void OpenHelp();
  bool Picture_Click(const Control& picture);

  // Controls by row (1..4 for colour rows, 1..7 for sliders), for the handlers and the window layer.
  Shape& Swatch(int row);
  LineShape& Hand(int row);  // 1 second, 2 hour, 3 minute
  ScrollBar& Slider(int index);  // 1..8

  Services services;

 private:
  void SetUpControls();
  void BindHandlers();
  void SetUpSelectPage();
  void SetUpSettingsPage();
  void SetUpCreateAndInfoPages();
  void SetUpOptionsPage();
  void FillZoneList();
  void ShowOnlyFrame(Control& frame);
  void SizeFrameCircle();
  void ResetCuckoo();
  void UpdateCreateStatus();
};

}  // namespace designer
