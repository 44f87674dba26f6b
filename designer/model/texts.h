// The designer's own texts (UTF-8). The window layer shows them as they are.
#pragma once

#include "tkt_version.h"

namespace designer::text {

inline constexpr const wchar_t* kMainCaption = L"Tocktide v" TKT_VERSION_WTEXT L" - TOOL";
inline constexpr const wchar_t* kAppTitle = TKT_TITLE_WTEXT;
inline constexpr const wchar_t* kExit = L"終　了";

// Pages of MultiPage1 and their tips.
inline constexpr const wchar_t* kPageSelect = L"時計選択";
inline constexpr const wchar_t* kPageSelectTip = L"時計の画像を指定します。";
inline constexpr const wchar_t* kPageSettings = L"基本設定";
inline constexpr const wchar_t* kPageSettingsTip = L"時計の基本的な設定をします。";
inline constexpr const wchar_t* kPageCreate = L"作　　成";
inline constexpr const wchar_t* kPageCreateTip = L"時計の設定ファイル（tkt.ini）をここで作成します。";
inline constexpr const wchar_t* kPageInfo = L"情　　報";
inline constexpr const wchar_t* kPageInfoTip = L"このソフトの情報です。";
inline constexpr const wchar_t* kPageOptions = L"ｵﾌﾟｼｮﾝ";
inline constexpr const wchar_t* kPageOptionsTip = L"時計ごとのﾀｲﾑｿﾞｰﾝや時報、透け具合を設定します。";

// Clock selection page.
inline constexpr const wchar_t* kLabel10 = L"時計のベースになる画像を指定して下さい。";
inline constexpr const wchar_t* kOption1 = L"サンプルの時計から選ぶ";
inline constexpr const wchar_t* kOption2 = L"自分で用意した画像を使う";
inline constexpr const wchar_t* kOption3 = L"１．懐中時計";
inline constexpr const wchar_t* kOption4 = L"２．腕時計";
inline constexpr const wchar_t* kOption5 = L"３．鳩時計";
inline constexpr const wchar_t* kOption6 = L"４．スケルトン";
inline constexpr const wchar_t* kPsLabel4 = L"下の２つの欄にそれぞれのファイルを指定して下さい。";
inline constexpr const wchar_t* kPsLabel1 = L"ﾘｰｼﾞｮﾝﾌｧｲﾙ：";
inline constexpr const wchar_t* kPsLabel2 = L"時計にする画像：";
inline constexpr const wchar_t* kPsLabel3 = L"※ 既存の設定ﾌｧｲﾙを変更する場合は「iniﾌｧｲﾙの読込み」を。";
inline constexpr const wchar_t* kLabel26 = L"※ 新規の場合は「ﾘｰｼﾞｮﾝﾌｧｲﾙの作成」を押して下さい。";
inline constexpr const wchar_t* kReini = L"iniファイルの読込み";
inline constexpr const wchar_t* kRgpedit = L"ﾘｰｼﾞｮﾝﾌｧｲﾙの作成";

// Settings page.
inline constexpr const wchar_t* kLabel7 = L"色やサイズを指定して下さい。";
inline constexpr const wchar_t* kGroupSecond = L"秒 針";
inline constexpr const wchar_t* kGroupHour = L"時 針";
inline constexpr const wchar_t* kGroupMinute = L"分 針";
inline constexpr const wchar_t* kGroupCenter = L"中心軸";
inline constexpr const wchar_t* kHandLength = L"針の長さ：";
inline constexpr const wchar_t* kHandWidth = L"針の太さ：";
inline constexpr const wchar_t* kAxisSize = L"軸の太さ：";
inline constexpr const wchar_t* kChangeColor = L"色変更";
inline constexpr const wchar_t* kCircleCheck = L"円 枠";
inline constexpr const wchar_t* kCircleColor = L"色";
inline constexpr const wchar_t* kDisplayOnPictureTip = L"デジタル表示は画像のある部分のみ有効です。";
inline constexpr const wchar_t* kPreviewTip = L"デジタル表示はドラッグでも移動できます。";
inline constexpr const wchar_t* kLabel36 = L"鳩時計ｵﾌﾟｼｮﾝ";
inline constexpr const wchar_t* kLabel34 = L"鳩-A";
inline constexpr const wchar_t* kLabel35 = L"鳩-B";
inline constexpr const wchar_t* kUp = L"↑";
inline constexpr const wchar_t* kDown = L"↓";
inline constexpr const wchar_t* kLeft = L"←";
inline constexpr const wchar_t* kRight = L"→";
inline constexpr const wchar_t* kDigicheck = L"デジタル表示";
inline constexpr const wchar_t* kDigistyle1 = L"時：分";
inline constexpr const wchar_t* kDigistyle2 = L"時：分：秒";
inline constexpr const wchar_t* kDigifont = L"フォント設定";
inline constexpr const wchar_t* kDigitxtStart = L"--:--:--";

// Create page.
inline constexpr const wchar_t* kNotSetYet = L"ﾘｰｼﾞｮﾝﾌｧｲﾙや時計の画像がまだ設定されていません。";
inline constexpr const wchar_t* kGoBackToSelect = L"【時計選択】画面へ戻って設定をしてください。";
inline constexpr const wchar_t* kWillSave = L"時計データをiniファイルとして保存します。";
inline constexpr const wchar_t* kPressToSave = L"下のボタンを押すと、設定したデータを保存します。";
inline constexpr const wchar_t* kIniout = L"データを記録";
inline constexpr const wchar_t* kLabel29 = L"手順";
inline constexpr const wchar_t* kStep1 = L"①";
inline constexpr const wchar_t* kStep2 = L"②";
inline constexpr const wchar_t* kStep3 = L"③";
inline constexpr const wchar_t* kLabel3 = L"[F1] = Help";
inline constexpr const wchar_t* kLabel2 =
    L"データを記録したら、programフォルダにある tkt.exe を実行しましょう。あなたが作った時計を表示できます。"
    L"デスクトップにショートカットを作っておけばいつでも表示できます。詳しい使い方についてはヘルプ（F1キーで表示）"
    L"をご覧下さい。";

// Information page.
inline constexpr const wchar_t* kVersion = L"Ver. " TKT_VERSION_WTEXT;
inline constexpr const wchar_t* kRgpHeading = L"RGP （ .rgp ） フォーマットとは・・・";
inline constexpr const wchar_t* kRgpText =
    L"時計の形を記録したテキストファイルです。画像の白 (255,255,255) 以外の部分を、1 行ずつ"
    L"「左端 行 長さ」の 3 つの数で書き並べています。「ﾘｰｼﾞｮﾝﾌｧｲﾙの作成」で画像から作れます。";
inline constexpr const wchar_t* kRequest =
    L"【お願い】：　バグや明らかに動作がおかしい部分がありましたら、次のバージョンの作成に役立ちますので、"
    L"ぜひ作者までご連絡下さい。";
inline constexpr const wchar_t* kCredit = L"時計の窓は、ビットマップの形に切り抜くウィンドウモジュールで表示しています。";
inline constexpr const wchar_t* kSupport = L"サポート掲示板：　（準備中）";

// Options page.
inline constexpr const wchar_t* kZoneLabel = L"ﾀｲﾑｿﾞｰﾝ：";
inline constexpr const wchar_t* kZonePc = L"このPCのﾀｲﾑｿﾞｰﾝ";
inline constexpr const wchar_t* kNameLabel = L"時計の名前：";
inline constexpr const wchar_t* kNameTip = L"ﾏｳｽを時計に乗せると表示されます。";
inline constexpr const wchar_t* kChimeLabel = L"時　報：";
inline constexpr const wchar_t* kChimeHalfHour = L"毎時0分と30分";
inline constexpr const wchar_t* kChimeHour = L"毎時0分のみ";
inline constexpr const wchar_t* kChimeOff = L"鳴らさない";
inline constexpr const wchar_t* kQuietCheck = L"鳴らさない時間：";
inline constexpr const wchar_t* kQuietTilde = L"～";
inline constexpr const wchar_t* kQuietFrom = L"22:00";
inline constexpr const wchar_t* kQuietTo = L"07:00";
inline constexpr const wchar_t* kOpacityLabel = L"不透明度：";
inline constexpr const wchar_t* kFadeCheck = L"ﾏｳｽが乗ったら薄くする";
inline constexpr const wchar_t* kAnotherHeading = L"もう一つ時計を作る";
inline constexpr const wchar_t* kAnotherLabel = L"ﾌｧｲﾙ名：";
inline constexpr const wchar_t* kAnotherExt = L".ini";
inline constexpr const wchar_t* kAnother = L"時計を作る";
inline constexpr const wchar_t* kAnotherTip = L"今の設定を program ﾌｫﾙﾀﾞに別の時計として保存します。";
inline constexpr const wchar_t* kStartupCheck = L"Windowsの起動時にこの時計を表示";
inline constexpr const wchar_t* kStartupTip = L"ﾌｧｲﾙ名が空欄のときは tkt.ini の時計です。";

// F1 with no help file beside the clock.
inline constexpr const wchar_t* kHelpMissing = L"ヘルプファイルが見つかりません。";

}  // namespace designer::text
