#include "ui_font.h"

#include <cwchar>

#include "wincommon/dpi.h"
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

LOGFONTW PickUiFont(int weight, int dpi) {
  LOGFONTW font{};
  NONCLIENTMETRICSW metrics{};
  if (tkt::NonClientMetricsForDpi(metrics, dpi)) font = metrics.lfMessageFont;
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
  const int least = tkt::ScaleFromPixels96(12, dpi);
  if (font.lfHeight == 0 || font.lfHeight > -least) font.lfHeight = -least;
  font.lfWidth = 0;
  font.lfWeight = weight;
  font.lfItalic = font.lfUnderline = font.lfStrikeOut = 0;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  return font;
}

}  // namespace designer::win
