// The font of the designer's window: the system's message font when it can show Japanese, else the first
// installed Japanese UI font.
#pragma once

#include <windows.h>

#include <string>

namespace designer::win {

bool FontFamilyHasJapanese(const std::wstring& face);
// At least 12 pixels at 96 DPI, scaled to `dpi`, more when the system asks for it; `weight` FW_NORMAL or FW_BOLD.
LOGFONTW PickUiFont(int weight, int dpi);

}  // namespace designer::win
