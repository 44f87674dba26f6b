// The settings import (reini "iniファイルの読込み"): a settings file back into the controls.
#pragma once

#include <optional>
#include <string>

#include "designer/model/form.h"
#include "designer/model/services.h"
#include "faceformat/settings.h"

namespace designer {

inline constexpr wchar_t kImportDialogTitle[] = L"基本設定ﾌｧｲﾙの指定";
inline constexpr wchar_t kImportDialogFilter[] = L"基本設定ﾌｧｲﾙ (*.ini)|*.ini";
inline constexpr wchar_t kImportFailed[] = L"読み込みに失敗しました。\riniファイルの場所を確認して下さい。";
inline constexpr wchar_t kImportFailedTitle[] = L"エラー発生";

// Every value checked against the control it goes to (the form's slider ranges), texts converted:
// a plan that cannot fail half-way, so a bad file changes nothing.
struct ImportPlan {
  faceformat::ClockSettings values;  // absent numbers as 0, as the controls take them
  std::wstring regionPath, bitmapPath, fontName;
  int frameSlider = 0;               // HScroll8 from frameSize
};
std::optional<ImportPlan> PlanImport(const DesignerForm& form, const faceformat::ClockSettings& read,
                                     FilesPlatform& platform);

// Sets the controls from a checked plan, each through its handler as a user's change would.
void ApplyImport(DesignerForm& form, const ImportPlan& plan);

// Reads fpath; on any failure shows the message and changes no control. True when imported.
bool ImportSettings(DesignerForm& form, FilesPlatform& platform);

void reini_Click(DesignerForm& form, FilesPlatform& platform);

}  // namespace designer
