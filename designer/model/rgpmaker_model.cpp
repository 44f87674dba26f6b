#include "designer/model/rgpmaker_model.h"

#include <algorithm>
#include <filesystem>
#include <new>

#include "designer/model/paths.h"
#include "faceformat/bmp.h"
#include "faceformat/silhouette.h"

namespace designer {

faceformat::Image ImageFromPixelArray(int width, int height, const std::vector<uint32_t>& pixels) {
  faceformat::Image image(width, height, 0);
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = &pixels[size_t(height - 1 - y) * size_t(width)];
    std::copy(src, src + width, &image.pixels[size_t(y) * size_t(width)]);
  }
  return image;
}

std::vector<uint32_t> PixelArrayFromImage(const faceformat::Image& image) {
  std::vector<uint32_t> pixels(image.pixels.size() + 1, 0);
  for (int y = 0; y < image.height; ++y) {
    const uint32_t* src = &image.pixels[size_t(y) * size_t(image.width)];
    std::copy(src, src + image.width, &pixels[size_t(image.height - 1 - y) * size_t(image.width)]);
  }
  return pixels;
}

FileRequest RgpMakerModel::RegionFileDialog() {
  return {L"ﾘｰｼﾞｮﾝﾌｧｲﾙの指定", L"ﾘｰｼﾞｮﾝ設定ﾌｧｲﾙ (*.rgp)|*.rgp",
          kFileOverwritePrompt | kFileHideReadOnly | kFilePathMustExist};
}

FileRequest RgpMakerModel::BitmapFileDialog() {
  return {L"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙの指定",
          L"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)|*.bmp|"
          L"画像ﾌｧｲﾙ (*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff)|*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff",
          kFileHideReadOnly | kFilePathMustExist};
}

std::wstring RgpMakerModel::BitmapBeside(const std::wstring& regionPath) {
  const size_t name = regionPath.find_last_of(L"\\/:") + 1;  // npos + 1 == 0
  const size_t dot = regionPath.rfind(L'.');
  const size_t stem = dot != std::wstring::npos && dot > name ? dot : regionPath.size();
  return regionPath.substr(0, stem) + L".bmp";
}

namespace {

std::wstring OverwriteQuestion(const std::wstring& bitmapPath) {
  return L"画像から作るﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ\r" + bitmapPath + L"\rは既に存在します。上書きしますか？";
}

// By name, or through links to one file on disk.
bool SameFile(const std::wstring& a, const std::wstring& b) {
  std::error_code ec;
  return SameFilePath(a, b) || std::filesystem::equivalent(PathFromText(a), PathFromText(b), ec);
}

}  // namespace

void RgpMakerModel::Say(const wchar_t* text, unsigned style) { messages_.Show(text, designer_.appTitle, style); }

void RgpMakerModel::Command2_Click() {
  if (auto path = dialogs_.ShowSave(RegionFileDialog())) Text1 = *path;
}

void RgpMakerModel::Command3_Click() {
  if (auto path = dialogs_.ShowSave(BitmapFileDialog())) Text2 = *path;
}

void RgpMakerModel::Command1_Click() {
  try {
    MakeRegionFile();
  } catch (const std::bad_alloc&) {
    picture_.Clear();
    Warn(kRgpTooLarge);
  }
}

void RgpMakerModel::MakeRegionFile() {
  if (Text1.empty()) return Say(kRgpNoRegionPath);
  if (Text2.empty()) return Say(kRgpNoBitmapPath);
  Text1 = AbsolutePath(designer_.baseDir, Text1);
  Text2 = AbsolutePath(designer_.baseDir, Text2);
  if (SameFile(Text1, Text2)) return Warn(kRgpSameAsBitmap);

  // A bitmap goes to the clock as it is; another kind of picture through a bitmap written beside the region.
  std::optional<faceformat::Image> converted;
  std::wstring bitmapPath = Text2;
  if (!picture_.Load(Text2)) {
    std::optional<faceformat::Image> decoded = decoder_ ? decoder_->Decode(Text2, kMaxMakerPixels) : std::nullopt;
    if (!decoded || decoded->width <= 0 || decoded->height <= 0) return Warn(kRgpBitmapUnreadable);
    const long long dw = decoded->width, dh = decoded->height;
    if (dw * dh > kMaxMakerPixels || decoded->pixels.size() != size_t(dw * dh)) {
      picture_.Clear();
      return Warn(kRgpTooLarge);
    }
    bitmapPath = BitmapBeside(Text1);
    if (SameFile(bitmapPath, Text1)) return Warn(kRgpBitmapIsRegion);
    if (SameFile(bitmapPath, Text2)) return Warn(kRgpBitmapIsSource);
    converted = faceformat::FaceFromAlphaPicture(*decoded);
    if (!picture_.Show(*converted)) return Warn(kRgpBitmapUnreadable);
  }
  const long long w = picture_.Width(), h = picture_.Height();
  if (w <= 0 || h <= 0 || w * h > kMaxMakerPixels) {
    picture_.Clear();
    return Warn(kRgpTooLarge);
  }

  std::vector<uint32_t> pixels;
  const int32_t n = picture_.ReadPixels(pixels);
  if (n != w * h) return Warn(kRgpPixelsUnreadable);

  const faceformat::Image picture = ImageFromPixelArray(int(w), int(h), pixels);
  // The silhouette goes back into the picture area; the runs come from the same pixels.
  picture_.WritePixels(PixelArrayFromImage(faceformat::MakeSilhouette(picture)));
  const std::vector<faceformat::RegionRun> runs = faceformat::MakeRegionRuns(picture);
  // The clock refuses an empty region file, so none is written.
  if (runs.empty()) return Warn(kRgpAllWhite);

  // The user named the region file, not the bitmap: one already there is replaced only when they say so.
  if (converted) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(PathFromText(bitmapPath), ec)) &&
        messages_.Show(OverwriteQuestion(bitmapPath), designer_.appTitle, kRgpOverwriteStyle) != kIdYes)
      return;
    if (!faceformat::WriteBmpFile(PathFromText(bitmapPath), *converted)) return Warn(kRgpWriteFailed);
  }
  if (!faceformat::WriteRegionFile(PathFromText(Text1), runs)) return Warn(kRgpWriteFailed);

  Say(kRgpMade);
  HandOver(bitmapPath);
}

// The clock selection page takes both paths as if the user had entered them.
void RgpMakerModel::HandOver(const std::wstring& bitmapPath) {
  windows_.ShowDesigner();
  designer_.PS_Text1.enabled = true;
  designer_.PS_Text2.enabled = true;
  designer_.PS_Text1.text = Text1;
  designer_.PS_Text2.text = bitmapPath;
  designer_.gosw1.text = L"1";
  windows_.HideMaker();
}

void RgpMakerModel::Command4_Click() {
  if (Text1.empty()) return Warn(kRgpTestNoFile);
  Text1 = AbsolutePath(designer_.baseDir, Text1);
  try {
    auto runs = faceformat::ReadRegionFile(PathFromText(Text1));
    if (!runs) return Warn(kRgpTestUnreadable);
    windows_.DrawRunLines(*runs);
  } catch (const std::bad_alloc&) {
    Warn(kRgpTestUnreadable);
  }
}

void RgpMakerModel::CommandButton1_Click() {
  windows_.ShowDesigner();
  windows_.HideMaker();
}

}  // namespace designer
