// The settings export (iniout "データを記録"): the face in the controls becomes tkt.ini.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "designer/model/form.h"
#include "designer/model/services.h"
#include "base/result.h"
#include "faceformat/clock_options.h"
#include "faceformat/settings.h"

namespace designer {

inline constexpr wchar_t kExportNoMode[] = L"時計情報が指定されていません。";
inline constexpr wchar_t kExportNoTemplate[] = L"テンプレートの中から１つ絵柄を選んで下さい。";
inline constexpr wchar_t kExportNoRegion[] = L"ﾘｰｼﾞｮﾝ設定ファイルの場所が指定されていません。";
inline constexpr wchar_t kExportNoPicture[] = L"時計の画像ファイルの場所が指定されていません。";
// Ours: the clock could not open a path written with characters the ANSI code page lacks.
inline constexpr wchar_t kExportNotAnsi[] =
    L"設定ﾌｧｲﾙに書けない文字が含まれています。\r"
    L"ﾌｧｲﾙの場所やﾌｫﾝﾄ名に、ｼｽﾃﾑの文字ｺｰﾄﾞにない文字を使わないで下さい。";
inline constexpr wchar_t kExportDoneTitle[] = L"正常に作成できました";
inline constexpr wchar_t kShortcutQuestion[] = L"ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成しますか？";
inline constexpr wchar_t kShortcutTitle[] = L"確　認";
inline constexpr wchar_t kShortcutFile[] = L"ﾄｯｸﾀｲﾄﾞ.lnk";
inline constexpr wchar_t kWriteFailed[] = L"書き込みに失敗しました。再起動して下さい。";
inline constexpr wchar_t kWriteFailedTitle[] = L"エラー発生";
inline constexpr wchar_t kErrorNumberTitle[] = L"ｴﾗｰ";
inline constexpr unsigned kShortcutQuestionStyle = kMbYesNo | kMbIconExclamation | kMbDefButton2;  // 308

// The success message for a file written to `settingsPath`.
std::wstring ExportDoneText(const std::wstring& settingsPath);

// An error as the failure messages show it: its number and description; the source is the project, "tkt".
struct ExportError {
  int number = 0;
  std::wstring description;
};
std::wstring ErrorNumberText(const ExportError& error);
inline const ExportError kExportOutOfMemory{7, L"メモリが不足しています。"};
// What a platform error code (Win32, or an HRESULT of the Win32 facility) means for the user.
ExportError ExportErrorFromCode(long code);
// A failed settings write, judged by the error and the state of the file system afterwards.
ExportError ExportErrorFromWrite(const tkt::Error& error, const std::filesystem::path& target);

// Steps 1 to 4: the checks in order and the 29 fields; on a failed check the message that stops the export.
struct GatheredSettings {
  std::optional<faceformat::ClockSettings> settings;
  const wchar_t* message = nullptr;
};
GatheredSettings GatherSettings(const DesignerForm& form, FilesPlatform& platform);

// The face and the options the controls hold, after every check; a check that fails is shown and gives nothing.
struct GatheredClock {
  faceformat::ClockSettings settings;
  faceformat::ClockOptions options;
};
std::optional<GatheredClock> GatherClock(DesignerForm& form, FilesPlatform& platform);

// Both failure messages for an error.
void ShowWriteFailure(MessageService& messages, const ExportError& error);
// The face at `settingsPath`, then the options beside it (or their file removed when all are defaults). On a
// failure shows the failure messages and returns false.
bool WriteClockFiles(DesignerForm& form, const faceformat::ClockSettings& settings,
                     const faceformat::ClockOptions& options, const std::wstring& settingsPath);
// Asks, when there is a desktop, and makes a desktop shortcut `linkName` that starts program\tkt.exe with
// `arguments` in program\.
void OfferShortcut(DesignerForm& form, FilesPlatform& platform, const std::wstring& linkName,
                   const std::wstring& arguments);

void iniout_Click(DesignerForm& form, FilesPlatform& platform);

}  // namespace designer
