// Under Wine: the maker's pixel access at every BMP depth, its window (Test lines, a whole making pressed
// as a user would), and the desktop shortcut.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "designer/model/rgpmaker_model.h"
#include "designer/win/bitmap_op.h"
#include "designer/win/maker_picture.h"
#include "designer/win/rgpmaker_win.h"
#include "designer/win/shortcut.h"
#include "faceformat/bmp.h"
#include "faceformat/files.h"
#include "faceformat/silhouette.h"
#include "form_fakes.h"
#include "harness.h"
#include "text_fit.h"
#include "wincommon/gdi.h"

namespace designer::win {
namespace {

namespace fs = std::filesystem;
using faceformat::Image;
using Id = RgpMakerWindow::Id;

void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// A BMP of any uncompressed depth: palette pictures take indices, 24/32-bit ones take colours.
std::vector<uint8_t> MakeBmp(int w, int h, int bits, bool topDown, std::mt19937& rng) {
  const int colours = bits <= 8 ? (1 << bits) : 0;
  const int stride = ((w * bits + 31) / 32) * 4;
  std::vector<uint8_t> b = {'B', 'M'};
  Put(b, uint32_t(14 + 40 + colours * 4 + stride * h), 4);
  Put(b, 0, 4);
  Put(b, uint32_t(14 + 40 + colours * 4), 4);
  Put(b, 40, 4);
  Put(b, uint32_t(w), 4);
  Put(b, uint32_t(topDown ? -h : h), 4);
  Put(b, 1, 2);
  Put(b, uint32_t(bits), 2);
  for (uint32_t v : {0u, uint32_t(stride * h), 2835u, 2835u, uint32_t(colours), 0u}) Put(b, v, 4);
  for (int i = 0; i < colours; ++i) Put(b, rng() & 0x00FFFFFF, 4);
  if (colours >= 2) {  // keep pure white and black among the colours
    std::memcpy(&b[54], "\xFF\xFF\xFF\x00", 4);
    std::memcpy(&b[58], "\x00\x00\x00\x00", 4);
  }
  for (int row = 0; row < h; ++row) {
    std::vector<uint8_t> line(size_t(stride), 0);
    for (int x = 0; x < w; ++x) {
      const uint32_t r = rng();
      if (bits == 1) line[size_t(x / 8)] |= uint8_t((r & 1) << (7 - x % 8));
      if (bits == 4) line[size_t(x / 2)] |= uint8_t((r & 15) << (x % 2 ? 0 : 4));
      if (bits == 8) line[size_t(x)] = uint8_t(r);
      for (int k = 0; bits >= 24 && k < 3; ++k) line[size_t(x * bits / 8 + k)] = (r & 7) == 0 ? 0xFF : uint8_t(r >> (8 * k));
    }
    b.insert(b.end(), line.begin(), line.end());
  }
  return b;
}

void PutBig(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}

// An 8-bit RGBA PNG of a 0xAARRGGBB picture, its data in stored (uncompressed) deflate blocks.
std::vector<uint8_t> MakePng(const Image& img) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < img.height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < img.width; ++x) {
      const uint32_t p = img.at(x, y);
      for (int shift : {16, 8, 0, 24}) raw.push_back(uint8_t(p >> shift));
    }
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  for (size_t at = 0; at < raw.size();) {
    const size_t n = std::min<size_t>(raw.size() - at, 65535);
    z.push_back(at + n == raw.size() ? 1 : 0);
    Put(z, uint32_t(n), 2);
    Put(z, uint32_t(~n & 0xFFFF), 2);
    z.insert(z.end(), raw.begin() + std::ptrdiff_t(at), raw.begin() + std::ptrdiff_t(at + n));
    at += n;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
  PutBig(z, (b << 16) | a);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto chunk = [&png](const char* type, const std::vector<uint8_t>& data) {
    PutBig(png, uint32_t(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = start; i < png.size(); ++i) {
      crc ^= png[i];
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    PutBig(png, ~crc);
  };
  std::vector<uint8_t> header;
  PutBig(header, uint32_t(img.width));
  PutBig(header, uint32_t(img.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA
  chunk("IHDR", header);
  chunk("IDAT", z);
  chunk("IEND", {});
  return png;
}

Image Rgb24(Image img) {
  for (uint32_t& p : img.pixels) p &= 0x00FFFFFF;
  return img;
}

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / (L"ﾄｯｸ_maker_" + std::to_wstring(GetCurrentProcessId()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

using MakerPixels = TempDir;

TEST_F(MakerPixels, ReadImagePixelsMatchesTheBmpReaderAtEveryDepth) {
  std::mt19937 rng(7);
  for (int bits : {1, 4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(::testing::Message() << bits << " bits, top-down " << topDown);
      const int w = 37, h = 23;  // odd sizes: row padding matters
      auto bytes = MakeBmp(w, h, bits, topDown, rng);
      const fs::path p = dir / ("pic" + std::to_string(bits) + (topDown ? "t" : "b") + ".bmp");
      ASSERT_TRUE(faceformat::WriteFileAtomic(p, std::string(bytes.begin(), bytes.end())).ok());
      auto decoded = faceformat::DecodeBmp(bytes);
      ASSERT_TRUE(decoded.ok()) << decoded.error().what;

      WinMakerPicture picture;
      ASSERT_TRUE(picture.Load(p.wstring()));
      EXPECT_EQ(picture.Width(), w);
      EXPECT_EQ(picture.Height(), h);
      std::vector<uint32_t> pixels;
      ASSERT_EQ(ReadImagePixels(picture.bitmap(), pixels), w * h);
      EXPECT_EQ(pixels.size(), size_t(w * h + 1));
      EXPECT_EQ(Rgb24(ImageFromPixelArray(w, h, pixels)), Rgb24(*decoded));
      if (topDown) continue;  // Wine's own loader reads bottom-up files only
      tkt::BitmapHandle loaded(static_cast<HBITMAP>(
          LoadImageW(nullptr, p.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
      ASSERT_TRUE(loaded);
      ASSERT_EQ(ReadImagePixels(loaded.get(), pixels), w * h);
      EXPECT_EQ(Rgb24(ImageFromPixelArray(w, h, pixels)), Rgb24(*decoded));
    }
  }
}

// The maker takes exactly the files the clock and the preview take: a run-length coded one, but not one whose
// run passes the picture's edge, though the system's loader would clip it.
TEST_F(MakerPixels, LoadsWhatTheBmpReaderReadsAndNothingElse) {
  auto bytes = faceformat::ReadWholeFile(fs::path(TKT_SOURCE_DIR) / "tests/fuzz/corpus/bmp_fuzz/escapes_rle8.bmp");
  ASSERT_TRUE(bytes.ok());
  const fs::path p = dir / "rle.bmp";
  ASSERT_TRUE(faceformat::WriteFileAtomic(p, *bytes).ok());
  WinMakerPicture picture;
  EXPECT_TRUE(picture.Load(p.wstring()));
  (*bytes)[66] = 5;  // the first run: 5 pixels in a row of 4
  ASSERT_TRUE(faceformat::WriteFileAtomic(p, *bytes).ok());
  EXPECT_FALSE(picture.Load(p.wstring()));
}

TEST_F(MakerPixels, WriteImagePixelsPutsTheArrayBack) {
  tkt::BitmapHandle bmp(CreateCompatibleBitmap(tkt::WindowDc(nullptr).get(), 5, 4));
  ASSERT_TRUE(bmp);
  std::vector<uint32_t> in(21);
  for (size_t i = 0; i < 20; ++i) in[i] = uint32_t(i * 0x0A0B0C) & 0x00FFFFFF;
  EXPECT_EQ(WriteImagePixels(bmp.get(), in), 0);
  std::vector<uint32_t> out;
  EXPECT_EQ(ReadImagePixels(bmp.get(), out), 20);
  for (size_t i = 0; i < 20; ++i) EXPECT_EQ(out[i] & 0x00FFFFFF, in[i]) << i;
  EXPECT_EQ(ReadImagePixels(nullptr, out), -1);
  EXPECT_EQ(WriteImagePixels(nullptr, in), -1);
}

// Message boxes of this thread, answered from inside their modal loop: the text is kept and OK pressed.
std::vector<std::wstring> g_boxes;
void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
  const auto isBox = [](HWND w) { return harness::HasClass(w, L"#32770"); };
  for (HWND box : harness::FindThreadWindows(GetCurrentThreadId(), isBox)) {
    g_boxes.push_back(harness::WindowText(GetDlgItem(box, 0xFFFF)));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

class MakerWindow : public TempDir {
 protected:
  void SetUp() override {
    TempDir::SetUp();
    g_boxes.clear();
    maker.Show();
    ASSERT_NE(maker.hwnd(), nullptr);
  }
  void Click(int id) { SendMessageW(maker.Item(id), BM_CLICK, 0, 0); }
  // The window's paint function into memory.
  Image Painted() {
    RECT rc;
    GetClientRect(maker.hwnd(), &rc);
    tkt::WindowDc screen(nullptr);
    tkt::BitmapHandle bmp(CreateCompatibleBitmap(screen.get(), rc.right, rc.bottom));
    {
      tkt::MemoryDc mem(screen.get());
      mem.Select(bmp.get());
      maker.PaintContent(mem.get(), rc);
    }
    std::vector<uint32_t> pixels;
    EXPECT_EQ(designer::ReadImagePixels(bmp.get(), pixels), rc.right * rc.bottom);
    return Rgb24(designer::ImageFromPixelArray(rc.right, rc.bottom, pixels));
  }

  testing::FormFixture f;
  int designerShown = 0;
  std::wstring regionWhenShown;  // what the designer's field held the last time it was shown
  RgpMakerWindow maker{f.form, [this] {
                         ++designerShown;
                         regionWhenShown = f.form.PS_Text1.text;
                       }};
};

TEST_F(MakerWindow, TestDrawsEachRunOnTheBackgroundAndKeepsItWhileHidden) {
  const fs::path rgp = dir / "t.rgp";
  ASSERT_TRUE(faceformat::WriteRegionFile(rgp, {{10, 5, 20}, {0, 0, 1}, {100, 170, 3}}).ok());
  SetWindowTextW(maker.Item(Id::kText1), rgp.c_str());
  EXPECT_EQ(maker.model().Text1, rgp.wstring());
  Click(Id::kCommand4);
  const COLORREF inkRef = GetSysColor(COLOR_BTNTEXT), faceRef = GetSysColor(COLOR_BTNFACE);
  const uint32_t ink = faceformat::Rgb(GetRValue(inkRef), GetGValue(inkRef), GetBValue(inkRef));
  const uint32_t face = faceformat::Rgb(GetRValue(faceRef), GetGValue(faceRef), GetBValue(faceRef));
  Image shown = Painted();
  EXPECT_EQ(shown.at(10, 5), ink);
  EXPECT_EQ(shown.at(29, 5), ink);
  EXPECT_EQ(shown.at(30, 5), face);  // a run covers exactly its length
  EXPECT_EQ(shown.at(9, 5), face);
  EXPECT_EQ(shown.at(0, 0), ink);
  EXPECT_EQ(shown.at(102, 170), ink);
  // A fixed frame without a close box; closing only hides, and shown again lines and fields are still there.
  const LONG style = GetWindowLongW(maker.hwnd(), GWL_STYLE);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
  EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  SendMessageW(maker.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(maker.hwnd()));
  EXPECT_FALSE(IsWindowVisible(maker.hwnd()));
  EXPECT_GE(designerShown, 1);
  maker.Show();
  EXPECT_EQ(Painted().at(10, 5), ink);
  EXPECT_EQ(harness::WindowText(maker.Item(Id::kText1)), rgp.wstring());
}

TEST_F(MakerWindow, MakingShowsTheSilhouetteWritesTheFileAndHandsOver) {
  // With its drive, as a file dialog gives it: a path rooted without one is on the installation's drive.
  const fs::path art = fs::absolute(fs::path(TKT_SOURCE_DIR) / "art" / "generated");
  const fs::path out = dir / L"はと.rgp";
  SetWindowTextW(maker.Item(Id::kText1), out.c_str());
  SetWindowTextW(maker.Item(Id::kText2), (dir / "missing.bmp").c_str());
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerBoxes);
  Click(Id::kCommand1);  // an unreadable picture: a message, and the maker stays
  EXPECT_TRUE(IsWindowVisible(maker.hwnd()));
  SetWindowTextW(maker.Item(Id::kText2), (art / "hato.bmp").c_str());
  Click(Id::kCommand1);
  KillTimer(nullptr, timer);

  ASSERT_EQ(g_boxes.size(), 2u);
  EXPECT_EQ(g_boxes[0], designer::kRgpBitmapUnreadable);
  EXPECT_EQ(g_boxes[1], designer::kRgpMade);
  EXPECT_EQ(faceformat::ReadWholeFile(out).value(), faceformat::ReadWholeFile(art / "hato.rgp").value());
  EXPECT_FALSE(IsWindowVisible(maker.hwnd()));
  EXPECT_EQ(regionWhenShown, out.wstring());  // the designer shows the filled fields
  EXPECT_EQ(f.form.gosw1.text, L"1");

  // The picture area took the picture's size and shows its silhouette.
  RECT r;
  GetClientRect(maker.Item(Id::kPicture1), &r);
  EXPECT_EQ(r.right, 180);
  EXPECT_EQ(r.bottom, 180);
  std::vector<uint32_t> pixels;
  ASSERT_EQ(maker.picture().ReadPixels(pixels), 180 * 180);
  auto hato = faceformat::ReadBmpFile(art / "hato.bmp");
  ASSERT_TRUE(hato.ok());
  EXPECT_TRUE(Rgb24(designer::ImageFromPixelArray(180, 180, pixels)) == Rgb24(faceformat::MakeSilhouette(*hato)));
}

TEST_F(MakerWindow, TransparentPngGivesItsRegionAndAWhiteBackedBitmap) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  Image png(300, 250, 0x00FFFFFF);  // wider than one stored block per row set; transparent white around
  for (int y = 0; y < png.height; ++y)
    for (int x = 0; x < png.width; ++x) {
      const int d = (x - 150) * (x - 150) + (y - 125) * (y - 125);
      if (d <= 100 * 100) png.at(x, y) = 0xFF000000 | (d <= 80 * 80 ? 0xFFFFFF : faceformat::Rgb(30, 60, 200));
      else if (d <= 110 * 110) png.at(x, y) = (d <= 105 * 105 ? 0x90000000 : 0x70000000) | 0x102030;
    }
  const auto bytes = MakePng(png);
  const fs::path source = dir / L"時計.png";
  ASSERT_TRUE(faceformat::WriteFileAtomic(source, std::string(bytes.begin(), bytes.end())).ok());
  auto decoded = WicPictureDecoder().Decode(source.wstring(), designer::kMaxMakerPixels);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_TRUE(*decoded == png);

  const Image face = faceformat::FaceFromAlphaPicture(png);
  SetWindowTextW(maker.Item(Id::kText1), (dir / "face.rgp").c_str());
  SetWindowTextW(maker.Item(Id::kText2), source.c_str());
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerBoxes);
  Click(Id::kCommand1);
  KillTimer(nullptr, timer);
  CoUninitialize();
  EXPECT_EQ(g_boxes, std::vector<std::wstring>{designer::kRgpMade});
  EXPECT_EQ(faceformat::ReadWholeFile(dir / "face.rgp").value(),
            faceformat::FormatRegionRuns(faceformat::MakeRegionRuns(face)));
  auto bmp = faceformat::ReadBmpFile(dir / "face.bmp");
  ASSERT_TRUE(bmp.ok());
  EXPECT_TRUE(*bmp == face);
  EXPECT_EQ(bmp->at(0, 0), 0xFFFFFFu);
  EXPECT_EQ(fs::path(f.form.PS_Text2.text), dir / "face.bmp");
  std::vector<uint32_t> pixels;
  ASSERT_EQ(maker.picture().ReadPixels(pixels), 300 * 250);
  EXPECT_TRUE(Rgb24(designer::ImageFromPixelArray(300, 250, pixels)) == faceformat::MakeSilhouette(face));
}

TEST_F(MakerWindow, AtANewDpiTheColumnScalesAndThePictureAndTestLinesKeepTheirPixels) {
  const fs::path rgp = dir / "t.rgp";
  ASSERT_TRUE(faceformat::WriteRegionFile(rgp, {{10, 5, 20}}).ok());
  SetWindowTextW(maker.Item(Id::kText1), rgp.c_str());
  Click(Id::kCommand4);
  ASSERT_TRUE(maker.picture().Show(Image(40, 30, 0x00FF0000)));
  const COLORREF inkRef = GetSysColor(COLOR_BTNTEXT);
  const uint32_t ink = faceformat::Rgb(GetRValue(inkRef), GetGValue(inkRef), GetBValue(inkRef));

  testing::ChangeDpi(maker.hwnd(), 96, 192);
  RECT client, picture;
  GetClientRect(maker.hwnd(), &client);
  GetClientRect(maker.Item(Id::kPicture1), &picture);
  EXPECT_EQ(picture.right, 40);
  EXPECT_EQ(picture.bottom, 30);
  for (int id = Id::kLabel1; id <= Id::kCommandButton1; ++id) {
    HWND item = maker.Item(id);
    RECT r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, maker.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_LE(r.right, client.right) << id;
    EXPECT_LE(r.bottom, client.bottom) << id;
    if (!harness::HasClass(item, L"EDIT")) {
      EXPECT_TRUE(testing::TextFits(item, 192));
    }
  }
  const Image shown = Painted();
  EXPECT_EQ(shown.at(10, 5), ink);
  EXPECT_EQ(shown.at(29, 5), ink);
  EXPECT_NE(shown.at(30, 5), ink);
  EXPECT_EQ(harness::WindowText(maker.Item(Id::kText1)), rgp.wstring());
}

using Shortcut = TempDir;

TEST_F(Shortcut, OnTheDesktopPointsAtTheClockAndStartsInItsFolder) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  auto desktop = FindDesktopFolder();
  ASSERT_TRUE(desktop.has_value());
  EXPECT_TRUE(fs::is_directory(fs::path(*desktop)));

  // A Japanese install root and link name, as users have them.
  fs::create_directories(dir / "program");
  ASSERT_TRUE(tkt::FileHandle(CreateFileW((dir / "program" / "tkt.exe").c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr)));
  const fs::path link = dir / L"ﾄｯｸﾀｲﾄﾞ.lnk";
  const std::wstring target = (dir / "program" / "tkt.exe").wstring(), folder = (dir / "program").wstring();
  ASSERT_EQ(CreateShellLink(link.wstring(), target, folder), S_OK);
  ASSERT_EQ(CreateShellLink(link.wstring(), target, folder), S_OK);  // again: replaces the old link
  auto info = ReadShellLink(link.wstring());
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(fs::path(info->target), fs::path(target));
  EXPECT_EQ(fs::path(info->workingFolder), fs::path(folder));
  EXPECT_NE(CreateShellLink((dir / "no_such_folder" / "x.lnk").wstring(), target, folder), S_OK);
  CoUninitialize();
}

}  // namespace
}  // namespace designer::win
