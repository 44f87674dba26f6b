// Texts of the clock's popup menu, its message boxes and the version window, exactly as users have always seen them.
#pragma once

#include "tkt_version.h"

namespace tkt {

inline constexpr wchar_t kApplicationTitle[] = TKT_TITLE_WTEXT;

// Popup menu (the menu form's hidden menu bar item and its seven commands).
inline constexpr wchar_t kMenuFormCaption[] = L"menu";
inline constexpr wchar_t kMnuFileCaption[] = L"メイン";

// SNTP command.
inline constexpr wchar_t kSntpConfirmText[] = L"SNTPｻｰﾊﾞｰにｱｸｾｽします。現在ｲﾝﾀｰﾈｯﾄに接続していますか？";
inline constexpr wchar_t kSntpConfirmTitle[] = L"接続確認";
inline constexpr wchar_t kSntpSendFailedText[] = L"SNTPｻｰﾊﾞｰ応答無し。ｲﾝﾀｰﾈｯﾄに接続した環境で再度試して下さい。";
inline constexpr wchar_t kSntpWaitText[] = L"時刻をリセットします。";
inline constexpr wchar_t kSntpNoReplyText[] = L"SNTPｻｰﾊﾞｰ応答無し。ｲﾝﾀｰﾈｯﾄに接続した環境で再度操作して下さい。";
inline constexpr wchar_t kSntpSetText[] = L"正しい時刻がセットされました。";
// Ours: the clock could not be set, so success must not be claimed.
inline constexpr wchar_t kSntpNoPrivilegeText[] =
    L"時刻を変更する権限がないため、時刻を合わせられませんでした。管理者として実行してから再度操作して下さい。";
inline constexpr wchar_t kSntpSetFailedText[] = L"時刻を合わせられませんでした。";

// Ours: commands whose file is missing say so and leave the clock running.
inline constexpr wchar_t kToolStartFailedText[] =
    L"TKTﾂｰﾙを起動できませんでした。tkttool.exeが時計のﾌｫﾙﾀﾞの1つ上にあるか確認して下さい。";
inline constexpr wchar_t kHelpMissingText[] = L"ヘルプファイルが見つかりません。";
inline constexpr wchar_t kHelpOpenFailedText[] = L"ヘルプファイルを開けませんでした。";
inline constexpr wchar_t kSaveFailedText[] = L"現在位置を記録できませんでした。";

// Version window.
inline constexpr wchar_t kVersionCaption[] = L"ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr wchar_t kVersionText[] = L"Version " TKT_VERSION_WTEXT;
inline constexpr wchar_t kRightsText[] = L"Copyright (C) Tocktide";
inline constexpr wchar_t kMakerText[] = L"Tocktide Project";
inline constexpr wchar_t kCloseText[] = L"Close";

}  // namespace tkt
