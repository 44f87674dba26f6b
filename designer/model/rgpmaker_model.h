// The region file maker window (rgpmaker): its fields and button handlers, apart from the window itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "designer/model/services.h"
#include "designer/model/form.h"
#include "faceformat/image.h"
#include "faceformat/region.h"

namespace designer {

inline constexpr wchar_t kRgpMakerCaption[] = L"Tocktide - ﾘｰｼﾞｮﾝ新規作成";
inline constexpr wchar_t kRgpLabel1[] = L"ﾘｰｼﾞｮﾝ（切抜き境界線）ﾌｧｲﾙをどこに保存しますか？";
inline constexpr wchar_t kRgpLabel3[] = L"　（※新しい名前を付けて場所を指定してください。）";
inline constexpr wchar_t kRgpLabel2[] = L"もとになるﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙは、どこにありますか？";
inline constexpr wchar_t kRgpLabel4[] = L"　（※時計にしたい 180×180 ﾋﾟｸｾﾙの画像を選んでください。）";
inline constexpr wchar_t kRgpChoose[] = L"選択";
inline constexpr wchar_t kRgpCommand1[] = L"リージョンファイルの作成";
inline constexpr wchar_t kRgpCommand4[] = L"Test";
inline constexpr wchar_t kRgpBack[] = L"Ｘ";

inline constexpr wchar_t kRgpNoRegionPath[] = L"ﾘｰｼﾞｮﾝﾌｧｲﾙの保存場所が指定されていません。";
inline constexpr wchar_t kRgpNoBitmapPath[] = L"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙの場所が指定されていません。";
inline constexpr wchar_t kRgpMade[] = L"指定の場所にﾘｰｼﾞｮﾝﾌｧｲﾙが作成されました。\r引き続き、時計の「基本設定」をして下さい。";
// Ours: what the maker says where it used to stop with a run-time error or write a useless file.
inline constexpr wchar_t kRgpBitmapUnreadable[] =
    L"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙを読み込めませんでした。\rﾌｧｲﾙの場所と形式を確認して下さい。";
inline constexpr wchar_t kRgpTooLarge[] =
    L"画像が大きすぎます。\r500,000 ﾋﾟｸｾﾙ（たとえば 700×700）以下の画像を選んで下さい。";
inline constexpr wchar_t kRgpPixelsUnreadable[] = L"画像のﾋﾟｸｾﾙを読み取れませんでした。";
inline constexpr wchar_t kRgpAllWhite[] =
    L"画像がすべて白（255, 255, 255）なので、ﾘｰｼﾞｮﾝﾌｧｲﾙを作成できません。\r"
    L"時計の部分を白以外の色で描いた画像を選んで下さい。";
inline constexpr wchar_t kRgpWriteFailed[] =
    L"ﾘｰｼﾞｮﾝﾌｧｲﾙを保存できませんでした。\r保存場所を確認して下さい。";
inline constexpr wchar_t kRgpSameAsBitmap[] =
    L"ﾘｰｼﾞｮﾝﾌｧｲﾙの保存場所が、もとになるﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙと同じです。\r新しい名前を付けて場所を指定してください。";
inline constexpr wchar_t kRgpBitmapIsRegion[] =
    L"画像から作るﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ（拡張子 .bmp）が、ﾘｰｼﾞｮﾝﾌｧｲﾙと同じ名前になります。\r"
    L"ﾘｰｼﾞｮﾝﾌｧｲﾙには拡張子 .rgp の名前を付けて下さい。";
inline constexpr wchar_t kRgpBitmapIsSource[] =
    L"画像から作るﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙが、もとになる画像ﾌｧｲﾙと同じ名前になります。\r"
    L"ﾘｰｼﾞｮﾝﾌｧｲﾙに別の名前を付けて下さい。";
inline constexpr unsigned kRgpOverwriteStyle = kMbYesNo | kMbIconExclamation | kMbDefButton2;
inline constexpr wchar_t kRgpTestNoFile[] = L"ﾃｽﾄするﾘｰｼﾞｮﾝﾌｧｲﾙが指定されていません。";
inline constexpr wchar_t kRgpTestUnreadable[] =
    L"ﾘｰｼﾞｮﾝﾌｧｲﾙを読み込めませんでした。\rﾌｧｲﾙの場所と内容を確認して下さい。";

inline constexpr int32_t kMaxMakerPixels = 500000;

// The picture area Picture1. Pixels go in and out as a 32-bit bottom-up array (see ReadImagePixels).
class MakerPicture {
 public:
  virtual ~MakerPicture() = default;
  // Loads the file and shows it at its own size; false when it is not a picture that can be loaded.
  virtual bool Load(const std::wstring& path) = 0;
  virtual void Clear() = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int32_t ReadPixels(std::vector<uint32_t>& pixels) = 0;
  virtual int32_t WritePixels(const std::vector<uint32_t>& pixels) = 0;
  // Shows a picture made in memory, as Load shows a file.
  virtual bool Show(const faceformat::Image& picture) = 0;
};

// Pictures other than bitmaps (PNG, JPEG, GIF, TIFF), read by the platform's imaging component.
class PictureDecoder {
 public:
  virtual ~PictureDecoder() = default;
  // Top row first, 0xAARRGGBB with straight alpha; nothing when the file is not such a picture. Above
  // `maxPixels` only the size is given (no pixels), so a huge picture is refused before it is read.
  virtual std::optional<faceformat::Image> Decode(const std::wstring& path, int32_t maxPixels) = 0;
};

// The two windows around the maker's handlers.
class MakerWindows {
 public:
  virtual ~MakerWindows() = default;
  // Test: one line per run on the maker's background, in pixels from its top-left corner.
  virtual void DrawRunLines(const std::vector<faceformat::RegionRun>& runs) = 0;
  virtual void ShowDesigner() = 0;
  virtual void HideMaker() = 0;
};

// Between the maker's pixel array (bottom-up, spare entry at the end) and a top-down picture.
faceformat::Image ImageFromPixelArray(int width, int height, const std::vector<uint32_t>& pixels);
std::vector<uint32_t> PixelArrayFromImage(const faceformat::Image& image);

class RgpMakerModel {
 public:
  // `dialogs` is the maker's own CommonDialog1; messages carry the designer's application title.
  // Without `decoder` only bitmaps are read.
  RgpMakerModel(DesignerForm& designer, MakerPicture& picture, MakerWindows& windows, CommonDialogService& dialogs,
                MessageService& messages, PictureDecoder* decoder = nullptr)
      : designer_(designer),
        picture_(picture),
        windows_(windows),
        dialogs_(dialogs),
        messages_(messages),
        decoder_(decoder) {}

  // A relative path hangs from the designer's baseDir; the handlers make them absolute before use.
  std::wstring Text1;  // region file to write
  std::wstring Text2;  // source bitmap

  void Command1_Click();        // make the region file
  void Command2_Click();        // choose Text1
  void Command3_Click();        // choose Text2
  void Command4_Click();        // Test
  void CommandButton1_Click();  // back to the designer

  static FileRequest RegionFileDialog();
  static FileRequest BitmapFileDialog();
  // The bitmap written beside the region file when the source is another kind of picture.
  static std::wstring BitmapBeside(const std::wstring& regionPath);

 private:
  void Say(const wchar_t* text, unsigned style = kMbOk);
  void Warn(const wchar_t* text) { Say(text, kMbOk | kMbIconExclamation); }
  void MakeRegionFile();
  void HandOver(const std::wstring& bitmapPath);

  DesignerForm& designer_;
  MakerPicture& picture_;
  MakerWindows& windows_;
  CommonDialogService& dialogs_;
  MessageService& messages_;
  PictureDecoder* decoder_;
};

}  // namespace designer
