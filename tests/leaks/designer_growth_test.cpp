// The designer over a long session: a thousand template changes with page switches, a hundred region
// makings and a hundred imports, each through the real windows' buttons and tabs, leave no more GDI objects,
// USER objects or private bytes behind than a small fixed allowance.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "designer/model/file_commands.h"
#include "designer/win/artwork_win.h"
#include "designer/win/files_platform_win.h"
#include "designer/win/form1_win.h"
#include "designer/win/rgpmaker_win.h"
#include "designer/win/services_win.h"
#include "faceformat/settings.h"
#include "growth.h"

namespace designer::win {
namespace {

namespace fs = std::filesystem;
namespace growth = tkt::growth;

// The import's file dialog answers with the file the test names; the other dialogs are never due.
class ChosenFile : public CommonDialogService {
 public:
  std::wstring path;
  int unexpected = 0;
  std::optional<Color> ShowColor(Color, uint32_t) override { return ++unexpected, std::nullopt; }
  std::optional<FontChoice> ShowFont(const std::optional<FontChoice>&, uint32_t) override {
    return ++unexpected, std::nullopt;
  }
  std::optional<std::wstring> ShowSave(const FileRequest&) override { return path; }
};

// The designer as tkttool.exe puts it together, in an installation root with the four samples.
class DesignerGrowth : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    art_ = fs::absolute(fs::path(TKT_SOURCE_DIR) / "art" / "generated");
    root_ = fs::temp_directory_path() / ("tkt-designer-growth-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root_ / "sample");
    for (const char* face : {"kaichu", "army", "hato", "meca"}) {
      for (const char* ext : {".bmp", ".rgp"}) {
        fs::copy_file(art_ / (std::string(face) + ext), root_ / "sample" / (std::string(face) + ext),
                      fs::copy_options::overwrite_existing);
      }
    }
    saved_ = fs::current_path();
    fs::current_path(root_);
    messages_.SetAppTitle(L"Tock Tide");

    main_ = std::make_unique<Form1Window>(form_, artwork_);
    maker_ = std::make_unique<RgpMakerWindow>(form_, [this] {
      ShowWindow(main_->hwnd(), SW_SHOW);
      main_->Sync();
    });
    BindFileCommands(form_, files_, [this] {
      maker_->Show();
      ShowWindow(main_->hwnd(), SW_HIDE);
    });
    ASSERT_NE(main_->Create(), nullptr);
    messages_.SetOwner(main_->hwnd());
    growth::PumpMessages();
  }
  void TearDown() override {
    if (maker_ && maker_->hwnd()) DestroyWindow(maker_->hwnd());
    if (main_ && main_->hwnd()) DestroyWindow(main_->hwnd());
    growth::PumpMessages();
    fs::current_path(saved_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  void Click(const Control& control) {
    HWND button = main_->WindowOf(control);
    ASSERT_NE(button, nullptr);
    SendMessageW(button, BM_CLICK, 0, 0);
  }
  // As a click on the tab would: the selection moves, then the window hears of it.
  void SwitchPage(int page) {
    TabCtrl_SetCurSel(main_->tab(), page);
    NMHDR hdr{main_->tab(), UINT_PTR(GetDlgCtrlID(main_->tab())), UINT(TCN_SELCHANGE)};
    SendMessageW(main_->hwnd(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
  }
  // Paints what the last changes made invalid, as the message loop would.
  void Redraw(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    growth::PumpMessages();
  }
  void ExpectNoGrowth(const growth::Growth& g) {
    EXPECT_LE(g.gdi(), growth::kGdiAllowance);
    EXPECT_LE(g.user(), growth::kUserAllowance);
    EXPECT_LE(g.bytes(), growth::kPrivateBytesAllowance);
  }

  fs::path art_, root_, saved_;
  growth::AnswerMessageBoxes answer_;
  ChosenFile dialogs_;
  WinMessages messages_;
  WinFolders folders_;
  WinPictures pictures_;
  WinFilesPlatform files_;
  DesignerForm form_{Services{&dialogs_, &messages_, &folders_, &pictures_}};
  Artwork artwork_{GetModuleHandleW(nullptr), pictures_};
  std::unique_ptr<Form1Window> main_;
  std::unique_ptr<RgpMakerWindow> maker_;
};

TEST_F(DesignerGrowth, AThousandTemplateChangesAndPageSwitches) {
  const Control* templates[] = {&form_.Option3, &form_.Option4, &form_.Option5, &form_.Option6};
  SwitchPage(0);
  Click(form_.Option1);
  const growth::Growth g = growth::Run("designer templates and pages", 40, 1000, [&](int i) {
    SwitchPage(0);
    Click(*templates[i % 4]);
    SwitchPage(1 + i % 3);
    Redraw(main_->hwnd());
  });
  EXPECT_EQ(form_.SelectedTemplate(), (40 + 1000 - 1) % 4);
  EXPECT_NE(form_.OLGPic1.picture, nullptr);
  EXPECT_EQ(dialogs_.unexpected, 0);
  ExpectNoGrowth(g);
}

TEST_F(DesignerGrowth, AHundredRegionMakings) {
  SwitchPage(0);
  Click(form_.Option2);
  const fs::path pictures[] = {art_ / "hato.bmp", art_ / "toolbox.bmp", art_ / "meca.bmp"};
  const int answeredBefore = growth::AnswerMessageBoxes::answered();
  const growth::Growth g = growth::Run("region makings", 10, 100, [&](int i) {
    Click(form_.rgpedit);
    ASSERT_TRUE(IsWindowVisible(maker_->hwnd()));
    const fs::path out = root_ / (i % 2 ? L"made_a.rgp" : L"made_b.rgp");
    SetWindowTextW(maker_->Item(RgpMakerWindow::kText1), out.c_str());
    SetWindowTextW(maker_->Item(RgpMakerWindow::kText2), pictures[i % 3].c_str());
    SendMessageW(maker_->Item(RgpMakerWindow::kCommand1), BM_CLICK, 0, 0);
    // Made, told, and handed back to the main window.
    ASSERT_FALSE(IsWindowVisible(maker_->hwnd()));
    ASSERT_EQ(form_.PS_Text1.text, out.wstring());
    Redraw(main_->hwnd());
  });
  EXPECT_EQ(growth::AnswerMessageBoxes::answered() - answeredBefore, 110);
  EXPECT_TRUE(faceformat::ReadRegionFile(root_ / "made_a.rgp").ok());
  ExpectNoGrowth(g);
}

TEST_F(DesignerGrowth, AHundredImports) {
  // Two faces that differ in every group, so that each import changes the controls and the preview.
  faceformat::ClockSettings plain = faceformat::KaichuTemplate(root_.string());
  faceformat::ClockSettings full = plain;
  full.regionFilePath = (root_ / "sample" / "hato.rgp").string();
  full.faceBitmapPath = (root_ / "sample" / "hato.bmp").string();
  full.secondLength = 35, full.hourColor = 9288892;
  full.frameColor = 255, full.frameSize = 2400;
  full.digitalLeft = 1130, full.digitalTop = 690, full.digitalStyle = "hm", full.fontName = "IPAGothic";
  full.fontSize = 9.75, full.fontBold = true, full.fontItalic = false, full.fontUnderline = false;
  full.fontStrikethru = false, full.digitalColor = 65535;
  full.cuckoo1Left = 600, full.cuckoo1Top = 300, full.cuckoo2Left = 1800, full.cuckoo2Top = 300;
  const fs::path files[] = {root_ / "plain.ini", root_ / "full.ini"};
  ASSERT_TRUE(faceformat::WriteSettingsFile(files[0], plain).ok());
  ASSERT_TRUE(faceformat::WriteSettingsFile(files[1], full).ok());

  SwitchPage(0);
  Click(form_.Option2);
  const int answeredBefore = growth::AnswerMessageBoxes::answered();
  const growth::Growth g = growth::Run("imports", 10, 100, [&](int i) {
    SwitchPage(0);
    dialogs_.path = files[i % 2].wstring();
    Click(form_.reini);
    ASSERT_EQ(form_.fpath.text, dialogs_.path);
    ASSERT_EQ(form_.HScroll1.value, i % 2 ? 35 : 70);
    SwitchPage(1);
    Redraw(main_->hwnd());
  });
  EXPECT_EQ(growth::AnswerMessageBoxes::answered(), answeredBefore);  // no import failed
  ExpectNoGrowth(g);
}

}  // namespace
}  // namespace designer::win
