// The maker's window under Wine: frame and captions, the Test lines on its background, the picture area,
// and a whole making with its message box, pressed the way a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "designer/win/bitmap_op.h"
#include "designer/win/rgpmaker_win.h"
#include "faceformat/bmp.h"
#include "faceformat/files.h"
#include "faceformat/silhouette.h"
#include "form_fakes.h"

namespace designer::win {
namespace {

namespace fs = std::filesystem;
using Id = RgpMakerWindow::Id;

std::wstring TextOf(HWND hwnd) {
  wchar_t buf[512] = {};
  GetWindowTextW(hwnd, buf, 512);
  return buf;
}

// Message boxes of this thread, answered from inside their modal loop: the text is kept and OK pressed.
std::vector<std::wstring> g_boxes;
void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM) CALLBACK -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        if (std::wstring(cls) == L"#32770" && IsWindowVisible(w)) {
          g_boxes.push_back(TextOf(GetDlgItem(w, 0xFFFF)));
          PostMessageW(w, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
      },
      0);
}

class MakerWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RgpMakerWindow::Register(GetModuleHandleW(nullptr)); }
  void SetUp() override {
    dir = fs::temp_directory_path() / ("maker_window_" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir);
    g_boxes.clear();
    maker.Show();
    ASSERT_NE(maker.hwnd(), nullptr);
  }
  void TearDown() override { fs::remove_all(dir); }
  void Click(int id) { SendMessageW(maker.Item(id), BM_CLICK, 0, 0); }
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  // The paint function into memory, or (screen) what the screen shows of the whole window.
  faceformat::Image Painted(bool screenShot = false) {
    RECT rc;
    if (screenShot) {
      GetWindowRect(maker.hwnd(), &rc);
    } else {
      GetClientRect(maker.hwnd(), &rc);
    }
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    if (screenShot) {
      BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    } else {
      maker.PaintContent(mem, rc);
    }
    SelectObject(mem, old);
    std::vector<uint32_t> pixels;
    EXPECT_EQ(designer::ReadImagePixels(bmp, pixels), w * h);
    faceformat::Image out = designer::ImageFromPixelArray(w, h, pixels);
    for (uint32_t& p : out.pixels) p &= 0x00FFFFFF;
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return out;
  }

  fs::path dir;
  testing::FormFixture f;
  int designerShown = 0;
  std::wstring regionWhenShown;  // what the designer's field held the last time it was shown
  RgpMakerWindow maker{f.form, [this] {
                         ++designerShown;
                         regionWhenShown = f.form.PS_Text1.text;
                       }};
};

TEST_F(MakerWindowTest, FixedFrameWithoutCloseBoxAndItsCaptions) {
  HWND w = maker.hwnd();
  EXPECT_EQ(TextOf(w), L"Tocktide - ﾘｰｼﾞｮﾝ新規作成");
  const LONG style = GetWindowLongW(w, GWL_STYLE), ex = GetWindowLongW(w, GWL_EXSTYLE);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);

  const std::pair<int, const wchar_t*> captions[] = {
      {Id::kLabel1, L"ﾘｰｼﾞｮﾝ（切抜き境界線）ﾌｧｲﾙをどこに保存しますか？"},
      {Id::kLabel3, L"　（※新しい名前を付けて場所を指定してください。）"},
      {Id::kCommand2, L"選択"},
      {Id::kLabel2, L"もとになるﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙは、どこにありますか？"},
      {Id::kLabel4, L"　（※時計にしたい 180×180 ﾋﾟｸｾﾙの画像を選んでください。）"},
      {Id::kCommand3, L"選択"},
      {Id::kCommand1, L"リージョンファイルの作成"},
      {Id::kCommand4, L"Test"},
      {Id::kCommandButton1, L"Ｘ"},
  };
  RECT canvas{0, 0, 180, 180};
  for (auto [id, text] : captions) {
    SCOPED_TRACE(id);
    HWND c = maker.Item(id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(TextOf(c), text);
    // Every caption fits its control, and nothing covers the corner where Test draws.
    RECT r;
    GetClientRect(c, &r);
    HDC dc = GetDC(c);
    HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(c, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, int(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(c, dc);
    EXPECT_LE(size.cx, r.right);
    EXPECT_LE(size.cy, r.bottom);
    RECT onScreen, inClient, overlap;
    GetWindowRect(c, &onScreen);
    MapWindowPoints(nullptr, maker.hwnd(), reinterpret_cast<POINT*>(&onScreen), 2);
    inClient = onScreen;
    EXPECT_FALSE(IntersectRect(&overlap, &inClient, &canvas));
  }
  RECT x;
  GetWindowRect(maker.Item(Id::kCommandButton1), &x);
  EXPECT_EQ(x.right - x.left, x.bottom - x.top);
}

TEST_F(MakerWindowTest, TestDrawsEachRunOnTheBackgroundAndKeepsIt) {
  const fs::path rgp = dir / "t.rgp";
  ASSERT_TRUE(faceformat::WriteRegionFile(rgp, {{10, 5, 20}, {0, 0, 1}, {100, 170, 3}}).ok());
  SetWindowTextW(maker.Item(Id::kText1), rgp.c_str());
  EXPECT_EQ(maker.model().Text1, rgp.wstring());
  Click(Id::kCommand4);
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT), face = GetSysColor(COLOR_BTNFACE);
  auto px = [](COLORREF c) { return faceformat::Rgb(GetRValue(c), GetGValue(c), GetBValue(c)); };
  faceformat::Image shown = Painted();
  EXPECT_EQ(shown.at(10, 5), px(ink));
  EXPECT_EQ(shown.at(29, 5), px(ink));
  EXPECT_EQ(shown.at(30, 5), px(face));  // a run covers exactly its length
  EXPECT_EQ(shown.at(9, 5), px(face));
  EXPECT_EQ(shown.at(0, 0), px(ink));
  EXPECT_EQ(shown.at(102, 170), px(ink));
  EXPECT_EQ(shown.at(50, 50), px(face));
  // Hidden and shown again, the lines are still there.
  SendMessageW(maker.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(maker.hwnd()));
  EXPECT_FALSE(IsWindowVisible(maker.hwnd()));
  EXPECT_GE(designerShown, 1);
  maker.Show();
  EXPECT_EQ(Painted().at(10, 5), px(ink));
  EXPECT_EQ(TextOf(maker.Item(Id::kText1)), rgp.wstring());
}

TEST_F(MakerWindowTest, MakingShowsTheSilhouetteWritesTheFileAndHandsOver) {
  const fs::path art = fs::path(TKT_SOURCE_DIR) / "art" / "generated";
  const fs::path out = dir / L"はと.rgp";
  SetWindowTextW(maker.Item(Id::kText1), out.c_str());
  SetWindowTextW(maker.Item(Id::kText2), (art / "hato.bmp").c_str());
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerBoxes);
  Click(Id::kCommand1);
  KillTimer(nullptr, timer);

  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0], L"指定の場所にﾘｰｼﾞｮﾝﾌｧｲﾙが作成されました。\r引き続き、時計の「基本設定」をして下さい。");
  EXPECT_EQ(faceformat::ReadWholeFile(out).value(), faceformat::ReadWholeFile(art / "hato.rgp").value());
  EXPECT_FALSE(IsWindowVisible(maker.hwnd()));
  EXPECT_EQ(f.form.PS_Text1.text, out.wstring());
  EXPECT_EQ(regionWhenShown, out.wstring());  // the designer shows the filled fields
  EXPECT_EQ(f.form.gosw1.text, L"1");

  // The picture area took the picture's size and shows its silhouette.
  HWND picture = maker.Item(Id::kPicture1);
  RECT r;
  GetClientRect(picture, &r);
  EXPECT_EQ(r.right, 180);
  EXPECT_EQ(r.bottom, 180);
  std::vector<uint32_t> pixels;
  ASSERT_EQ(maker.picture().ReadPixels(pixels), 180 * 180);
  auto hato = faceformat::ReadBmpFile(art / "hato.bmp");
  ASSERT_TRUE(hato.ok());
  faceformat::Image silhouette = faceformat::MakeSilhouette(*hato);
  faceformat::Image shown = designer::ImageFromPixelArray(180, 180, pixels);
  for (uint32_t& p : shown.pixels) p &= 0x00FFFFFF;
  for (uint32_t& p : silhouette.pixels) p &= 0x00FFFFFF;
  EXPECT_TRUE(shown == silhouette);

  // For looking at: the window with the silhouette and the Test outline, as the screen shows it.
  maker.Show();
  Click(Id::kCommand4);
  Pump();
  faceformat::WriteBmpFile("rgpmaker_window.bmp", Painted(true));
}

TEST_F(MakerWindowTest, UnreadableBitmapSaysSoAndTheMakerStays) {
  SetWindowTextW(maker.Item(Id::kText1), (dir / "x.rgp").c_str());
  SetWindowTextW(maker.Item(Id::kText2), (dir / "missing.bmp").c_str());
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerBoxes);
  Click(Id::kCommand1);
  Click(Id::kCommand1);
  KillTimer(nullptr, timer);
  ASSERT_EQ(g_boxes.size(), 2u);
  EXPECT_EQ(g_boxes[0], designer::kRgpBitmapUnreadable);
  EXPECT_TRUE(IsWindowVisible(maker.hwnd()));
  EXPECT_FALSE(fs::exists(dir / "x.rgp"));
  EXPECT_EQ(designerShown, 0);
}

}  // namespace
}  // namespace designer::win
