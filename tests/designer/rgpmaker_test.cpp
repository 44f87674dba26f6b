// The region file maker's handlers, with the picture area and the designer faked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "designer/model/rgpmaker_model.h"
#include "files_fakes.h"
#include "faceformat/bmp.h"
#include "faceformat/files.h"
#include "faceformat/silhouette.h"

namespace designer {
namespace {

namespace fs = std::filesystem;
using faceformat::Image;
using faceformat::RegionRun;
using faceformat::Rgb;

// Picture1 over the BMP codec: what the Windows picture area does with LoadImage and GetDIBits.
class FakePicture : public MakerPicture {
 public:
  bool Load(const std::wstring& path) override {
    ++loads;
    if (outOfMemory) throw std::bad_alloc();
    auto img = faceformat::ReadBmpFile(PathFromText(path));
    if (!img) return false;
    shown = *img;
    return true;
  }
  void Clear() override { shown = Image(); }
  int Width() const override { return shown.width; }
  int Height() const override { return shown.height; }
  int32_t ReadPixels(std::vector<uint32_t>& pixels) override {
    if (failRead) return -1;
    pixels = PixelArrayFromImage(shown);
    return shown.width * shown.height;
  }
  int32_t WritePixels(const std::vector<uint32_t>& pixels) override {
    shown = ImageFromPixelArray(shown.width, shown.height, pixels);
    return 0;
  }
  bool Show(const Image& img) override {
    shown = img;
    return true;
  }
  Image shown;
  int loads = 0;
  bool failRead = false;
  bool outOfMemory = false;
};

// The platform's imaging component: named pictures decoded to 0xAARRGGBB.
class FakeDecoder : public PictureDecoder {
 public:
  std::optional<Image> Decode(const std::wstring& path, int32_t maxPixels) override {
    auto it = pictures.find(PathFromText(path).filename().string());
    if (it == pictures.end()) return std::nullopt;
    const Image& img = it->second;
    if (int64_t(img.width) * img.height <= maxPixels) return img;
    Image sizeOnly;
    sizeOnly.width = img.width, sizeOnly.height = img.height;
    return sizeOnly;
  }
  std::map<std::string, Image> pictures;
};

class FakeWindows : public MakerWindows {
 public:
  explicit FakeWindows(std::vector<std::wstring>& sharedLog) : log(sharedLog) {}
  void DrawRunLines(const std::vector<RegionRun>& r) override {
    if (outOfMemory) throw std::bad_alloc();
    log.push_back(L"draw");
    drawn = r;
  }
  void ShowDesigner() override { log.push_back(L"show designer"); }
  void HideMaker() override { log.push_back(L"hide maker"); }
  std::vector<std::wstring>& log;
  std::vector<RegionRun> drawn;
  bool outOfMemory = false;
};

// Messages go into the same log as the window calls, so their order shows.
class OrderedMessages : public testing::LoggedMessages {
 public:
  explicit OrderedMessages(std::vector<std::wstring>& sharedLog) : log(sharedLog) {}
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override {
    log.push_back(L"msg:" + text);
    return LoggedMessages::Show(text, title, style);
  }
  std::vector<std::wstring>& log;
};

class RgpMakerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("rgpmaker_test_" + std::to_string(std::random_device{}()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    f.form.baseDir = dir.wstring();  // the pictures are in the same installation as the designer
  }
  void TearDown() override { fs::remove_all(dir); }

  std::wstring Bmp(const std::string& name, const Image& img) {
    fs::path p = dir / name;
    EXPECT_TRUE(faceformat::WriteBmpFile(p, img).ok());
    return p.wstring();
  }
  std::string Slurp(const fs::path& p) {
    auto r = faceformat::ReadWholeFile(p);
    return r ? *r : std::string("<missing>");
  }

  static Image Disc(int w, int h, int cx, int cy, int r) {
    Image img(w, h, Rgb(255, 255, 255));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) img.at(x, y) = Rgb(200, 30, 40);
    return img;
  }

  std::wstring Handover() const {
    return L"PS_Text1=" + f.form.PS_Text1.text + (f.form.PS_Text1.enabled ? L"(on)" : L"(off)") + L" PS_Text2=" +
           f.form.PS_Text2.text + (f.form.PS_Text2.enabled ? L"(on)" : L"(off)") + L" gosw1=" + f.form.gosw1.text;
  }

  fs::path dir;
  testing::FormFixture f;
  std::vector<std::wstring> log;
  FakeWindows windows{log};
  OrderedMessages messages{log};
  testing::SaveDialogs dialogs;
  FakePicture picture;
  FakeDecoder decoder;
  RgpMakerModel maker{f.form, picture, windows, dialogs, messages, &decoder};
};

TEST_F(RgpMakerTest, EmptyFieldsStopWithTheirMessageBeforeAnythingIsLoaded) {
  maker.Command1_Click();  // both empty: only the region message
  maker.Text1 = (dir / "a.rgp").wstring();
  maker.Command1_Click();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], std::wstring(L"msg:") + kRgpNoRegionPath);
  EXPECT_EQ(log[1], std::wstring(L"msg:") + kRgpNoBitmapPath);
  EXPECT_EQ(picture.loads, 0);
  EXPECT_FALSE(fs::exists(dir / "a.rgp"));
}

TEST_F(RgpMakerTest, MakesTheFileShowsTheSilhouetteAndHandsBothPathsOver) {
  Image img = Disc(180, 180, 90, 90, 60);
  img.at(0, 0) = Rgb(255, 255, 254);  // near-white belongs to the clock
  img.at(179, 0) = Rgb(254, 255, 255);
  maker.Text1 = (dir / "disc.rgp").wstring();
  maker.Text2 = Bmp("disc.bmp", img);
  maker.Command1_Click();

  const auto runs = faceformat::MakeRegionRuns(img);
  EXPECT_EQ(Slurp(dir / "disc.rgp"), faceformat::FormatRegionRuns(runs));
  // Row 0: the two near-white corners, right one first.
  ASSERT_GE(runs.size(), 2u);
  EXPECT_EQ(runs[0], (RegionRun{179, 0, 1}));
  EXPECT_EQ(runs[1], (RegionRun{0, 0, 1}));
  EXPECT_EQ(picture.shown, faceformat::MakeSilhouette(img));

  EXPECT_EQ(log, (std::vector<std::wstring>{std::wstring(L"msg:") + kRgpMade, L"show designer", L"hide maker"}));
  EXPECT_EQ(Handover(), L"PS_Text1=" + maker.Text1 + L"(on) PS_Text2=" + maker.Text2 + L"(on) gosw1=1");
}

TEST_F(RgpMakerTest, BlackPictureGivesOneFullRunPerRowAndNonSquareStaysInside) {
  maker.Text1 = (dir / "black.rgp").wstring();
  maker.Text2 = Bmp("black.bmp", Image(7, 3, 0));
  maker.Command1_Click();
  EXPECT_EQ(Slurp(dir / "black.rgp"), "0 0 7\r\n0 1 7\r\n0 2 7\r\n");

  Image wide(200, 100, Rgb(255, 255, 255));
  wide.at(199, 10) = 0;  // end of one row, start of the next: two runs
  wide.at(0, 11) = 0;
  wide.at(199, 99) = 0;
  maker.Text2 = Bmp("wide.bmp", wide);
  maker.Command1_Click();
  EXPECT_EQ(Slurp(dir / "black.rgp"), "199 10 1\r\n0 11 1\r\n199 99 1\r\n");  // only the second picture's runs
}

TEST_F(RgpMakerTest, PictureLimitIsHalfAMillionPixels) {
  maker.Text1 = (dir / "limit.rgp").wstring();
  maker.Text2 = Bmp("ok.bmp", Image(1000, 500, 0));
  maker.Command1_Click();
  EXPECT_TRUE(fs::exists(dir / "limit.rgp"));
  fs::remove(dir / "limit.rgp");
  log.clear();

  maker.Text2 = Bmp("over.bmp", Image(1001, 500, 0));
  maker.Command1_Click();
  EXPECT_FALSE(fs::exists(dir / "limit.rgp"));
  EXPECT_EQ(log, std::vector<std::wstring>{std::wstring(L"msg:") + kRgpTooLarge});
  EXPECT_EQ(picture.Width(), 0);  // the refused picture is not left on show
}

TEST_F(RgpMakerTest, FailuresSayWhyWriteNothingAndKeepTheMakerOpen) {
  const fs::path out = dir / "keep.rgp";
  ASSERT_TRUE(faceformat::WriteFileAtomic(out, "1 2 3\r\n").ok());
  maker.Text1 = out.wstring();

  maker.Text2 = (dir / "missing.bmp").wstring();
  maker.Command1_Click();
  {
    std::ofstream(dir / "junk.bmp") << "not a picture";
  }
  maker.Text2 = (dir / "junk.bmp").wstring();
  maker.Command1_Click();
  maker.Text2 = Bmp("white.bmp", Image(30, 30, Rgb(255, 255, 255)));
  maker.Command1_Click();
  picture.failRead = true;
  maker.Text2 = Bmp("dot.bmp", Image(3, 3, 0));
  maker.Command1_Click();
  picture.failRead = false;
  maker.Text1 = (dir / "no_such_folder" / "x.rgp").wstring();
  maker.Command1_Click();

  const std::vector<std::wstring> want = {
      std::wstring(L"msg:") + kRgpBitmapUnreadable, std::wstring(L"msg:") + kRgpBitmapUnreadable,
      std::wstring(L"msg:") + kRgpAllWhite, std::wstring(L"msg:") + kRgpPixelsUnreadable,
      std::wstring(L"msg:") + kRgpWriteFailed};
  EXPECT_EQ(log, want);
  for (const auto& m : messages.shown) EXPECT_EQ(m.style, kMbOk | kMbIconExclamation);
  EXPECT_EQ(Handover(), L"PS_Text1=(off) PS_Text2=(off) gosw1=0");
  EXPECT_EQ(Slurp(out), "1 2 3\r\n");
  EXPECT_FALSE(fs::exists(dir / "no_such_folder"));
}

TEST_F(RgpMakerTest, RunningOutOfMemorySaysSoAndWritesNothing) {
  maker.Text1 = (dir / "m.rgp").wstring();
  maker.Text2 = Bmp("m.bmp", Image(4, 4, 0));
  picture.outOfMemory = true;
  maker.Command1_Click();
  EXPECT_FALSE(fs::exists(dir / "m.rgp"));
  picture.outOfMemory = false;
  maker.Command1_Click();
  ASSERT_TRUE(fs::exists(dir / "m.rgp"));
  windows.outOfMemory = true;
  maker.Command4_Click();
  EXPECT_EQ(log, (std::vector<std::wstring>{std::wstring(L"msg:") + kRgpTooLarge, std::wstring(L"msg:") + kRgpMade,
                                            L"show designer", L"hide maker",
                                            std::wstring(L"msg:") + kRgpTestUnreadable}));
}

// Relative paths mean files under the installation root, as the clock will read them.
TEST_F(RgpMakerTest, RelativePathsHangFromTheRootAndTheSourcePictureIsNeverOverwritten) {
  const std::string source = Slurp(Bmp("face.bmp", Disc(20, 20, 10, 10, 5)));
  fs::create_symlink(dir / "face.bmp", dir / "link.bmp");
  maker.Text2 = L"face.bmp";
  for (const wchar_t* same : {L"FACE.BMP", L"sub\\..\\face.bmp", L"link.bmp"}) {
    maker.Text1 = same;
    maker.Command1_Click();
  }
  EXPECT_EQ(log, std::vector<std::wstring>(3, std::wstring(L"msg:") + kRgpSameAsBitmap));
  EXPECT_EQ(picture.loads, 0);
  EXPECT_EQ(Slurp(dir / "face.bmp"), source);

  maker.Text1 = L"faces\\..\\face.rgp";
  maker.Command1_Click();
  EXPECT_TRUE(fs::exists(dir / "face.rgp"));
  EXPECT_EQ(PathFromText(f.form.PS_Text1.text), dir / "face.rgp");
  EXPECT_EQ(PathFromText(f.form.PS_Text2.text), dir / "face.bmp");
}

TEST_F(RgpMakerTest, FileButtonsCancelKeepsTheFieldAndBackWritesNothing) {
  maker.Text1 = L"old.rgp";
  maker.Text2 = L"old.bmp";
  dialogs.answers = {std::nullopt, std::nullopt, L"C:\\faces\\new.rgp", L"C:\\faces\\new.bmp"};
  maker.Command2_Click();
  maker.Command3_Click();
  EXPECT_EQ(maker.Text1, L"old.rgp");
  EXPECT_EQ(maker.Text2, L"old.bmp");
  maker.Command2_Click();
  EXPECT_EQ(maker.Text1, L"C:\\faces\\new.rgp");
  maker.Command3_Click();
  EXPECT_EQ(maker.Text2, L"C:\\faces\\new.bmp");

  // Back to the designer: nothing written, nothing handed over, the fields stay for the next visit.
  maker.CommandButton1_Click();
  EXPECT_EQ(log, (std::vector<std::wstring>{L"show designer", L"hide maker"}));
  EXPECT_EQ(Handover(), L"PS_Text1=(off) PS_Text2=(off) gosw1=0");
  EXPECT_EQ(maker.Text1, L"C:\\faces\\new.rgp");
}

TEST_F(RgpMakerTest, TestButtonDrawsTheFileOrSaysWhyNot) {
  maker.Command4_Click();
  maker.Text1 = (dir / "none.rgp").wstring();
  maker.Command4_Click();
  EXPECT_EQ(log, (std::vector<std::wstring>{std::wstring(L"msg:") + kRgpTestNoFile,
                                                 std::wstring(L"msg:") + kRgpTestUnreadable}));
  log.clear();

  Image img = Disc(40, 30, 20, 15, 9);
  maker.Text1 = (dir / "t.rgp").wstring();
  maker.Text2 = Bmp("t.bmp", img);
  maker.Command1_Click();
  log.clear();
  maker.Command4_Click();
  EXPECT_EQ(log, std::vector<std::wstring>{L"draw"});
  EXPECT_EQ(windows.drawn, faceformat::MakeRegionRuns(img));
}

TEST_F(RgpMakerTest, TransparentPictureGivesItsRegionAndAWhiteBackedBitmapForTheClock) {
  Image png(40, 30, 0x00000000);  // fully transparent black around an opaque disc with a white dial
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const int d = (x - 20) * (x - 20) + (y - 15) * (y - 15);
      if (d <= 144) png.at(x, y) = 0xFF000000 | Rgb(255, 255, 255);
      else if (d <= 196) png.at(x, y) = (d <= 169 ? 0xFF000000 : 0x60000000) | Rgb(20, 40, 200);
    }
  decoder.pictures["face.png"] = png;
  const Image face = faceformat::FaceFromAlphaPicture(png);
  maker.Text1 = (dir / "face.rgp").wstring();
  maker.Text2 = (dir / "face.png").wstring();
  maker.Command1_Click();

  EXPECT_EQ(Slurp(dir / "face.rgp"), faceformat::FormatRegionRuns(faceformat::MakeRegionRuns(face)));
  auto written = faceformat::ReadBmpFile(dir / "face.bmp");
  ASSERT_TRUE(written.ok());
  EXPECT_EQ(*written, face);
  EXPECT_EQ(faceformat::MakeRegionRuns(*written), faceformat::MakeRegionRuns(face));  // the clock cuts it alike
  EXPECT_EQ(picture.shown, faceformat::MakeSilhouette(face));
  EXPECT_EQ(Handover(), L"PS_Text1=" + maker.Text1 + L"(on) PS_Text2=" + (dir / "face.bmp").wstring() +
                            L"(on) gosw1=1");
  EXPECT_EQ(maker.Text2, (dir / "face.png").wstring());
}

TEST_F(RgpMakerTest, OtherPicturesRefusedWithoutOverwritingTheirSource) {
  decoder.pictures["big.png"] = Image(1001, 500, 0xFF000000);
  decoder.pictures["face.bmp"] = Image(4, 4, 0xFF000000);  // a PNG named .bmp: its bitmap would replace it
  { std::ofstream(dir / "face.bmp") << "png bytes"; }
  maker.Text1 = (dir / "face.rgp").wstring();
  for (const char* name : {"missing.png", "big.png", "face.bmp"}) {
    maker.Text2 = (dir / name).wstring();
    maker.Command1_Click();
  }
  // A region file named like the bitmap made beside it would be overwritten by it, or overwrite it.
  decoder.pictures["face.png"] = Image(4, 4, 0xFF000000);
  maker.Text1 = (dir / "out.BMP").wstring();
  maker.Text2 = (dir / "face.png").wstring();
  maker.Command1_Click();
  EXPECT_EQ(log, (std::vector<std::wstring>{std::wstring(L"msg:") + kRgpBitmapUnreadable,
                                            std::wstring(L"msg:") + kRgpTooLarge,
                                            std::wstring(L"msg:") + kRgpBitmapIsSource,
                                            std::wstring(L"msg:") + kRgpBitmapIsRegion}));
  EXPECT_EQ(Slurp(dir / "face.bmp"), "png bytes");
  EXPECT_FALSE(fs::exists(dir / "face.rgp"));
  EXPECT_FALSE(fs::exists(dir / "out.BMP"));

  for (const auto& [in, out] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"C:\\a\\face.rgp", L"C:\\a\\face.bmp"}, {L"C:\\a.b\\face", L"C:\\a.b\\face.bmp"},
           {L"face.x.rgp", L"face.x.bmp"}, {L"C:.rgp", L"C:.rgp.bmp"}})
    EXPECT_EQ(RgpMakerModel::BitmapBeside(in), out);
  // The dialog's first entry stays the bitmap one.
  EXPECT_EQ(RgpMakerModel::BitmapFileDialog().filter.rfind(L"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)|*.bmp|", 0), 0u);
}

// The bitmap made beside the region file was not named by the user: a file already there is kept unless they
// agree to replace it.
TEST_F(RgpMakerTest, AnExistingBitmapBesideTheRegionIsReplacedOnlyOnYes) {
  decoder.pictures["face.png"] = Image(4, 4, 0xFF000000);
  { std::ofstream(dir / "face.bmp") << "mine"; }
  maker.Text1 = (dir / "face.rgp").wstring();
  maker.Text2 = (dir / "face.png").wstring();
  messages.answers = {kIdNo};
  maker.Command1_Click();
  EXPECT_EQ(Slurp(dir / "face.bmp"), "mine");
  EXPECT_FALSE(fs::exists(dir / "face.rgp"));
  EXPECT_EQ(Handover(), L"PS_Text1=(off) PS_Text2=(off) gosw1=0");

  messages.answers = {kIdYes};
  maker.Command1_Click();
  EXPECT_EQ(faceformat::ReadBmpFile(dir / "face.bmp").value(), Image(4, 4, 0));
  EXPECT_TRUE(fs::exists(dir / "face.rgp"));
  ASSERT_EQ(messages.shown.size(), 3u);
  for (int i : {0, 1}) {
    EXPECT_NE(messages.shown[i].text.find((dir / "face.bmp").wstring()), std::wstring::npos);
    EXPECT_EQ(messages.shown[i].style, kMbYesNo | kMbIconExclamation | kMbDefButton2);  // No by default
  }
  EXPECT_EQ(messages.shown[2].text, kRgpMade);
}

// The shipped sample region files are what the maker makes of the shipped sample pictures.
TEST_F(RgpMakerTest, SamplePicturesGiveTheCommittedRegionFilesByteForByte) {
  const fs::path art = fs::path(TKT_SOURCE_DIR) / "art" / "generated";
  for (const char* name : {"kaichu", "army", "hato", "meca"}) {
    SCOPED_TRACE(name);
    maker.Text1 = (dir / (std::string(name) + ".rgp")).wstring();
    maker.Text2 = (art / (std::string(name) + ".bmp")).wstring();
    maker.Command1_Click();
    const std::string shipped = Slurp(art / (std::string(name) + ".rgp"));
    EXPECT_TRUE(Slurp(maker.Text1) == shipped);  // no diff of a few hundred kilobytes on failure
  }
}

}  // namespace
}  // namespace designer
