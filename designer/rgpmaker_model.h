// The region file maker window (rgpmaker): its fields and button handlers, apart from the window itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "faceformat/image.h"
#include "faceformat/region.h"

namespace designer {

// Message box styles, the platform's values.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbDefButton2 = 0x100;

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
inline constexpr wchar_t kRgpTestNoFile[] = L"ﾃｽﾄするﾘｰｼﾞｮﾝﾌｧｲﾙが指定されていません。";
inline constexpr wchar_t kRgpTestUnreadable[] =
    L"ﾘｰｼﾞｮﾝﾌｧｲﾙを読み込めませんでした。\rﾌｧｲﾙの場所と内容を確認して下さい。";

inline constexpr int32_t kMaxMakerPixels = 500000;

// A save-form file dialog as the maker's CommonDialog1 shows it.
struct MakerFileDialog {
  std::wstring title;
  std::wstring filterName;
  std::wstring filterPattern;
  unsigned flags = 0;  // OFN_ values: 2052 or 2054
};
inline constexpr unsigned kOfnOverwritePrompt = 0x2;
inline constexpr unsigned kOfnHideReadOnly = 0x4;
inline constexpr unsigned kOfnPathMustExist = 0x800;

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
};

// What the maker needs from around it: message boxes, its file dialog, its own background, and the designer.
class MakerHost {
 public:
  virtual ~MakerHost() = default;
  virtual void ShowMessage(const std::wstring& text, const std::wstring& title, unsigned style) = 0;
  // The chosen full path, or nothing on cancel.
  virtual std::optional<std::wstring> ChooseFile(const MakerFileDialog& dialog) = 0;
  // Test: one line per run on the maker's background, in pixels from its top-left corner.
  virtual void DrawRunLines(const std::vector<faceformat::RegionRun>& runs) = 0;
  // The designer's side of the hand-over: PS_Text1 and PS_Text2 enabled and filled, gosw1 "1".
  virtual void HandOverPaths(const std::wstring& regionPath, const std::wstring& bitmapPath) = 0;
  virtual void ShowDesigner() = 0;
  virtual void HideMaker() = 0;
};

// Between the maker's pixel array (bottom-up, spare entry at the end) and a top-down picture.
faceformat::Image ImageFromPixelArray(int width, int height, const std::vector<uint32_t>& pixels);
std::vector<uint32_t> PixelArrayFromImage(const faceformat::Image& image);

class RgpMakerModel {
 public:
  RgpMakerModel(MakerHost& host, MakerPicture& picture, std::wstring appTitle = L"Tock Tide")
      : host_(host), picture_(picture), appTitle_(std::move(appTitle)) {}

  std::wstring Text1;  // region file to write
  std::wstring Text2;  // source bitmap

  void Command1_Click();        // make the region file
  void Command2_Click();        // choose Text1
  void Command3_Click();        // choose Text2
  void Command4_Click();        // Test
  void CommandButton1_Click();  // back to the designer

  static MakerFileDialog RegionFileDialog();
  static MakerFileDialog BitmapFileDialog();

 private:
  void Say(const wchar_t* text) { host_.ShowMessage(text, appTitle_, kMbOk); }
  void Warn(const wchar_t* text) { host_.ShowMessage(text, appTitle_, kMbOk | kMbIconExclamation); }

  MakerHost& host_;
  MakerPicture& picture_;
  std::wstring appTitle_;
};

}  // namespace designer
