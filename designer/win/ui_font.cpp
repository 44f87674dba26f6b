#include "ui_font.h"

#include <cwchar>

#include "wincommon/handle.h"

namespace designer::win {

namespace {
int CALLBACK FoundFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}
}  // namespace

bool FontFamilyHasJapanese(const std::wstring& face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW query{};
  query.lfCharSet = SHIFTJIS_CHARSET;
  wcscpy(query.lfFaceName, face.c_str());
  bool found = false;
  EnumFontFamiliesExW(tkt::WindowDc(nullptr).get(), &query, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

LOGFONTW PickUiFont(int weight) {
  LOGFONTW font{};
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) font = metrics.lfMessageFont;
  // Wine names Tahoma, which is absent and has no Japanese; an English Windows names Segoe UI.
  if (!FontFamilyHasJapanese(font.lfFaceName)) {
    for (const wchar_t* face : {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"IPAPGothic", L"IPAGothic",
                                L"Noto Sans CJK JP"}) {
      if (FontFamilyHasJapanese(face)) {
        wcscpy(font.lfFaceName, face);
        break;
      }
    }
  }
  if (font.lfHeight == 0 || font.lfHeight > -12) font.lfHeight = -12;
  font.lfWidth = 0;
  font.lfWeight = weight;
  font.lfItalic = font.lfUnderline = font.lfStrikeOut = 0;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  return font;
}

}  // namespace designer::win
