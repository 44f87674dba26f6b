// The main window under Wine: every text fits its control, the controls follow the model, and the
// preview's pixels after a template, painted through the window's own paint function.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <filesystem>

#include "designer/model/layout.h"
#include "designer/model/rgpmaker_model.h"
#include "designer/win/bitmap_op.h"
#include "designer/win/form1_win.h"
#include "designer/win/services_win.h"
#include "faceformat/bmp.h"
#include "designer/win/ui_font.h"
#include "harness.h"
#include "text_fit.h"
#include "wincommon/gdi.h"

namespace designer::win {
namespace {

namespace fs = std::filesystem;

// An installation root with the kaichu sample, or with none.
class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    root_ = fs::temp_directory_path() / ("tkt-designer-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root_ / "sample");
    saved_ = fs::current_path();
    fs::current_path(root_);
  }
  void TearDown() override {
    if (window_ && window_->hwnd()) DestroyWindow(window_->hwnd());
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    fs::current_path(saved_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  void CopySample(const char* name) {
    fs::copy_file(fs::path(TKT_SOURCE_DIR) / "art" / "generated" / (std::string(name) + ".bmp"),
                  root_ / "sample" / (std::string(name) + ".bmp"), fs::copy_options::overwrite_existing);
  }
  Form1Window& Open() {
    window_ = std::make_unique<Form1Window>(form_, artwork_);
    EXPECT_NE(window_->Create(), nullptr);
    return *window_;
  }
  // The preview's face area as the window paints it.
  faceformat::Image PaintPreview() {
    tkt::WindowDc screen(nullptr);
    tkt::BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), 180, 180));
    {
      tkt::MemoryDc dc(screen.get());
      dc.Select(bitmap.get());
      RECT rc{0, 0, 180, 180};
      window_->preview().PaintContent(dc.get(), rc);
    }
    std::vector<uint32_t> pixels;
    EXPECT_EQ(designer::ReadImagePixels(bitmap.get(), pixels), 180 * 180);
    faceformat::Image image = designer::ImageFromPixelArray(180, 180, pixels);
    for (uint32_t& p : image.pixels) p &= 0x00FFFFFF;
    return image;
  }

  fs::path root_, saved_;
  WinDialogs dialogs_;
  WinMessages messages_;
  WinFolders folders_;
  WinPictures pictures_;
  DesignerForm form_{Services{&dialogs_, &messages_, &folders_, &pictures_}};
  Artwork artwork_{GetModuleHandleW(nullptr), pictures_};
  std::unique_ptr<Form1Window> window_;
};

TEST_F(MainWindow, ShowsItsPagesAndEveryTextFitsItsControl) {
  Form1Window& w = Open();
  ASSERT_EQ(TabCtrl_GetItemCount(w.tab()), 5);
  EXPECT_TRUE(IsWindowVisible(w.PanelOf(0)));
  EXPECT_FALSE(IsWindowVisible(w.PanelOf(1)));
  RECT panel;  // each page's panel holds the whole layout
  GetClientRect(w.PanelOf(1), &panel);
  EXPECT_GE(panel.right, kPanelWidth);
  EXPECT_GE(panel.bottom, kPanelHeight);
  for (Placement& p : LayoutForm(form_)) {
    HWND hwnd = w.WindowOf(*p.control);
    if (!hwnd) continue;
    const bool button = harness::HasClass(hwnd, L"BUTTON");
    const std::wstring name(p.control->name);
    HWND textWindow = hwnd;
    int room = p.box.w, height = p.box.h;
    if (p.captionBox) {
      textWindow = GetWindow(hwnd, GW_HWNDNEXT);  // the caption is created right after its box
      room = p.captionBox->w;
      height = p.captionBox->h;
    }
    const std::wstring text = harness::WindowText(textWindow);
    if (text.empty() || (!button && !harness::HasClass(hwnd, L"STATIC"))) continue;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    if (button) room -= (style == BS_PUSHBUTTON) ? 8 : 18;
    tkt::WindowDc dc(textWindow);
    tkt::SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(textWindow, WM_GETFONT, 0, 0)));
    RECT need{0, 0, room, 0};
    DrawTextW(dc.get(), text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SIZE line{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), int(text.size()), &line);
    if (p.look == Look::Wrapping) {
      EXPECT_LE(need.bottom, height) << std::string(name.begin(), name.end());
    } else {
      EXPECT_LE(line.cx, room) << std::string(name.begin(), name.end());
      EXPECT_LE(line.cy, height) << std::string(name.begin(), name.end());
    }
  }
}

// Every child's place in its parent.
std::vector<RECT> PlacesOf(HWND window) {
  std::vector<RECT> places;
  for (HWND w : harness::FindChildren(window, [](HWND) { return true; })) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    places.push_back(r);
  }
  return places;
}

TEST_F(MainWindow, LaysOutAgainAtANewDpiKeepingItsState) {
  Form1Window& w = Open();
  form_.Option2.Click();  // the own-picture mode shows the most captions
  w.Sync();
  SetWindowTextW(w.WindowOf(form_.PS_Text2), L"C:\\face.bmp");
  const std::vector<RECT> at96 = PlacesOf(w.hwnd());
  int from = 96;
  for (int dpi : {144, 192}) {
    testing::ChangeDpi(w.hwnd(), from, dpi);
    from = dpi;
    RECT panel;
    GetClientRect(w.PanelOf(0), &panel);
    EXPECT_GE(panel.right, tkt::ScaleFromPixels96(kPanelWidth, dpi));
    EXPECT_GE(panel.bottom, tkt::ScaleFromPixels96(kPanelHeight, dpi));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w.WindowOf(form_.Option1), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, PickUiFont(FW_NORMAL, dpi).lfHeight);
    // Every caption on every page, shown or not.
    for (const Placement& p : LayoutForm(form_)) {
      HWND hwnd = w.WindowOf(*p.control);
      if (p.captionBox) hwnd = GetWindow(hwnd, GW_HWNDNEXT);  // the caption is created right after its box
      if (!hwnd || harness::WindowText(hwnd).empty()) continue;
      if (harness::HasClass(hwnd, L"STATIC") || harness::HasClass(hwnd, L"BUTTON")) {
        EXPECT_TRUE(testing::TextFits(hwnd, dpi));
      }
    }
  }
  EXPECT_EQ(harness::WindowText(w.WindowOf(form_.PS_Text2)), L"C:\\face.bmp");
  EXPECT_EQ(SendMessageW(w.WindowOf(form_.Option2), BM_GETCHECK, 0, 0), BST_CHECKED);
  testing::ChangeDpi(w.hwnd(), from, 96);
  const std::vector<RECT> back = PlacesOf(w.hwnd());
  ASSERT_EQ(back.size(), at96.size());
  for (size_t i = 0; i < back.size(); ++i) EXPECT_TRUE(EqualRect(&back[i], &at96[i])) << i;
}

TEST_F(MainWindow, KaichuTemplateShowsPictureAndHandColours) {
  CopySample("kaichu");
  Form1Window& w = Open();
  form_.Option1.Click();
  form_.Option3.Click();
  form_.MultiPage1.SetValue(1);
  form_.Timer1_Timer({10, 10, 30});
  w.Sync();
  EXPECT_TRUE(IsWindowVisible(w.PanelOf(1)));
  const faceformat::Image shown = PaintPreview();
  auto face = faceformat::ReadBmpFile(root_ / "sample" / "kaichu.bmp");
  ASSERT_TRUE(face.ok());
  // Far from the hands the preview is the picture itself.
  EXPECT_EQ(shown.at(20, 150), face->at(20, 150));
  EXPECT_EQ(shown.at(160, 30), face->at(160, 30));
  // Second hand straight down from the centre in (111, 111, 111); hour hand towards ten in (239, 239, 239).
  EXPECT_EQ(shown.at(90, 120), faceformat::Rgb(111, 111, 111));
  const double hour = (10 * 30 + 10 * 0.5) * 3.1415927 / 180;
  const int hx = int(std::floor(90.5 + 15 * std::sin(hour))), hy = int(std::floor(90.5 - 15 * std::cos(hour)));
  EXPECT_EQ(shown.at(hx, hy), faceformat::Rgb(239, 239, 239));
  // The centre dot in (64, 0, 0).
  EXPECT_EQ(shown.at(90, 90), faceformat::Rgb(64, 0, 0));
}

TEST_F(MainWindow, ThePreviewShowsTheFaceAtTheChosenOpacity) {
  CopySample("kaichu");
  Open();
  form_.Option1.Click();
  form_.Option3.Click();
  form_.MultiPage1.SetValue(1);
  form_.opacityScroll.SetValue(50);
  const faceformat::Image shown = PaintPreview();
  auto face = faceformat::ReadBmpFile(root_ / "sample" / "kaichu.bmp");
  ASSERT_TRUE(face.ok());
  const uint32_t under = faceformat::PixelFromColorRef(GetSysColor(COLOR_BTNFACE)), over = face->at(20, 150);
  for (int shift : {0, 8, 16}) {
    const int half = (int(over >> shift & 0xFF) + int(under >> shift & 0xFF)) / 2;
    EXPECT_NEAR(int(shown.at(20, 150) >> shift & 0xFF), half, 1) << shift;
  }
}

TEST_F(MainWindow, ThePreviewTellsTheTimeOfTheChosenZone) {
  Form1Window& w = Open();
  form_.SelectZone(L"Tokyo Standard Time");  // no summer time: nine hours ahead of UTC all year
  SYSTEMTIME utc;
  GetSystemTime(&utc);
  const TickTime tokyo = w.PreviewTime();
  const int ahead = ((tokyo.hour - utc.wHour) * 60 + tokyo.minute - utc.wMinute + 24 * 60) % (24 * 60);
  EXPECT_NEAR(ahead, 9 * 60, 1);
}

TEST_F(MainWindow, ControlsFollowTheModel) {
  Form1Window& w = Open();
  form_.MultiPage1.SetValue(1);
  form_.circleCheck.SetValue(1);
  form_.HScroll8.SetValue(609);
  w.Sync();
  EXPECT_TRUE(IsWindowEnabled(w.WindowOf(form_.HScroll8)));
  EXPECT_EQ(GetScrollPos(w.WindowOf(form_.HScroll8), SB_CTL), 609);
  EXPECT_EQ(SendMessageW(w.WindowOf(form_.circleCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  form_.MultiPage1.SetValue(0);
  form_.Option2.Click();
  w.Sync();
  EXPECT_TRUE(IsWindowVisible(w.WindowOf(form_.PS_Text1)));
  EXPECT_FALSE(IsWindowEnabled(w.WindowOf(form_.PS_Text1)));
  form_.MultiPage1.SetValue(4);
  form_.SelectZone(L"Tokyo Standard Time");
  w.Sync();
  const HWND zones = w.WindowOf(form_.zoneList);
  EXPECT_EQ(SendMessageW(zones, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(zones, CB_GETCURSEL, 0, 0), 1);
  SendMessageW(zones, CB_SETCURSEL, 0, 0);  // the user's choice, as the list tells its parent
  SendMessageW(GetParent(zones), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(zones), CBN_SELCHANGE), LPARAM(zones));
  EXPECT_EQ(form_.SelectedZone(), L"");
}

}  // namespace
}  // namespace designer::win
