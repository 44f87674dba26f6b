#include "services_win.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cmath>
#include <cwchar>
#include <filesystem>
#include <vector>

#include "faceformat/bmp.h"
#include "base/units.h"
#include "wincommon/font.h"
#include "wincommon/handle.h"
#include "wincommon/platform_numbers_check.h"
#include "wincommon/process.h"
#include "worldtime/win/zones_win.h"

namespace designer::win {

static_assert(kColorStartFromGiven == CC_RGBINIT && kFontScreenAndPrinter == CF_BOTH && kFontEffects == CF_EFFECTS);
static_assert(kFileOverwritePrompt == OFN_OVERWRITEPROMPT && kFileHideReadOnly == OFN_HIDEREADONLY &&
              kFilePathMustExist == OFN_PATHMUSTEXIST);

std::optional<Color> WinDialogs::ShowColor(Color initial, uint32_t flags) {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner_;
  cc.rgbResult = COLORREF(initial) & 0x00FFFFFF;
  cc.lpCustColors = customColors_;
  cc.Flags = flags;  // CC_RGBINIT: start from the given colour
  if (!ChooseColorW(&cc)) return std::nullopt;
  return Color(cc.rgbResult & 0x00FFFFFF);
}

double PointsFromHeight(LONG height, int dpi) { return tkt::PointsFromPixels(std::abs(double(height)), dpi); }

std::optional<FontChoice> WinDialogs::ShowFont(const std::optional<FontChoice>& last, uint32_t flags) {
  LOGFONTW lf{};
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner_;
  cf.lpLogFont = &lf;
  // Printer fonts need a printer DC and add nothing to a screen clock: list the screen's.
  cf.Flags = (flags & ~DWORD(CF_PRINTERFONTS)) | CF_SCREENFONTS;
  const int dpi = GetDeviceCaps(tkt::WindowDc(nullptr).get(), LOGPIXELSY);
  if (last) {
    const FontLook& f = last->font;
    lf = tkt::LogFontFor(f.name, f, dpi);
    cf.rgbColors = COLORREF(last->color) & 0x00FFFFFF;
    cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
  if (!ChooseFontW(&cf)) return std::nullopt;
  FontChoice choice;
  choice.font.name = lf.lfFaceName;
  choice.font.size = cf.iPointSize > 0 ? cf.iPointSize / 10.0 : PointsFromHeight(lf.lfHeight, dpi);
  choice.font.bold = lf.lfWeight >= FW_SEMIBOLD;
  choice.font.italic = lf.lfItalic != 0;
  choice.font.underline = lf.lfUnderline != 0;
  choice.font.strikethru = lf.lfStrikeOut != 0;
  choice.color = Color(cf.rgbColors & 0x00FFFFFF);
  return choice;
}

std::optional<std::wstring> WinDialogs::ShowSave(const FileRequest& request) {
  // "description|pattern" becomes "description\0pattern\0\0".
  std::wstring filter = request.filter;
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  std::wstring extension;
  // The default extension is the first entry's first pattern.
  if (size_t dot = request.filter.find(L"*."); dot != std::wstring::npos)
    extension = request.filter.substr(dot + 2, request.filter.find_first_of(L";|", dot) - (dot + 2));
  std::vector<wchar_t> path(MAX_PATH * 4, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = DWORD(path.size());
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.lpstrDefExt = extension.empty() || extension == L"*" ? nullptr : extension.c_str();
  // The dialog must not move the current folder: the designer's paths hang from the installation root.
  ofn.Flags = request.flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) return std::nullopt;
  return std::wstring(path.data());
}

int WinMessages::Show(const std::wstring& text, const std::wstring& title, unsigned style) {
  return MessageBoxW(owner_, text.c_str(), title.empty() ? appTitle_.c_str() : title.c_str(), style);
}

std::wstring WinFolders::CurrentDirectory() { return ::tkt::CurrentDirectory(); }

bool WinFolders::ChangeDirectory(const std::wstring& path) { return SetCurrentDirectoryW(path.c_str()) != 0; }

bool WinShell::OpenDocument(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  return INT_PTR(ShellExecuteW(owner_, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

void WinShell::EndProgram() { ExitProcess(0); }

std::vector<ZoneChoice> WinZones::Zones() {
  std::vector<ZoneChoice> zones;
  for (worldtime::ZoneEntry& z : worldtime::ListTimeZones()) zones.push_back({std::move(z.key), std::move(z.display)});
  return zones;
}

std::shared_ptr<const faceformat::Image> WinPictures::Load(const std::wstring& path) {
  if (path.empty()) return nullptr;
  auto image = faceformat::ReadBmpFile(std::filesystem::path(path));
  if (!image) return nullptr;
  return std::make_shared<const faceformat::Image>(std::move(*image));
}

}  // namespace designer::win
