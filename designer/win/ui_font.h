// The font of the designer's window: the system's message font when it can show Japanese, else the first
// installed Japanese UI font.
#pragma once

#include <windows.h>

#include <string>

namespace designer::win {

bool FontFamilyHasJapanese(const std::wstring& face);
// 9 points at 96 DPI unless the system asks for more; `weight` FW_NORMAL or FW_BOLD.
LOGFONTW PickUiFont(int weight = FW_NORMAL);

}  // namespace designer::win
