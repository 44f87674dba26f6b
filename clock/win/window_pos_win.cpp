#include "window_pos_win.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "clock/window_pos.h"
#include "base/units.h"
#include "gdi_win.h"
#include "wincommon/text.h"

namespace tkt {

namespace {

std::optional<float> ReadStoredTwips(HKEY key, const wchar_t* name) {
  wchar_t text[64];
  DWORD size = sizeof text, type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  std::wstring value(text, size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return ParseStoredTwips(WideToAnsi(value));
}

LONG WriteStoredTwips(HKEY key, const wchar_t* name, int pixels, int tpp) {
  const std::wstring text = AnsiToWide(FormatStoredTwips(float(pixels) * float(tpp)));
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        DWORD((text.size() + 1) * sizeof(wchar_t)));
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(ToPixelRect(info.rcWork));
  return TRUE;
}

// The window region's box in window pixels, when the window has a region.
std::optional<PixelRect> RegionBox(HWND wnd) {
  GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  RECT box{};
  if (region && GetWindowRgn(wnd, region.get()) != ERROR && GetRgnBox(region.get(), &box) != NULLREGION)
    return ToPixelRect(box);
  return std::nullopt;
}

}  // namespace

int ScreenTwipsPerPixel() {
  const int dpi = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSX);
  return TwipsPerPixelAt(dpi);
}

std::wstring WindowPosKey(const std::wstring& app) {
  return L"Software\\VB and VBA Program Settings\\" + app + L"\\WindowPos";
}

LONG SaveWindowPos(HWND clock, const std::wstring& app) {
  RECT r{};
  GetWindowRect(clock, &r);
  RegKey key;
  LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, WindowPosKey(app).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            key.put(), nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  const int tpp = ScreenTwipsPerPixel();
  const struct {
    const wchar_t* name;
    int pixels;
  } values[] = {{L"Top", r.top}, {L"Left", r.left}, {L"Width", r.right - r.left}, {L"Height", r.bottom - r.top}};
  for (const auto& v : values) {
    rc = WriteStoredTwips(key.get(), v.name, v.pixels, tpp);
    if (rc != ERROR_SUCCESS) break;
  }
  return rc;
}

void RestoreWindowPos(HWND clock, const std::wstring& app) {
  RECT r{};
  GetWindowRect(clock, &r);
  int left = r.left, top = r.top;
  std::optional<int> width, height;
  RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, WindowPosKey(app).c_str(), 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS) {
    const float tpp = float(ScreenTwipsPerPixel());
    auto toPixels = [tpp](float twips) { return int(std::lround(std::clamp(twips / tpp, -1e6f, 1e6f))); };
    if (auto v = ReadStoredTwips(key.get(), L"Left")) left = toPixels(*v);
    if (auto v = ReadStoredTwips(key.get(), L"Top")) top = toPixels(*v);
    if (auto v = ReadStoredTwips(key.get(), L"Width")) width = toPixels(*v);
    if (auto v = ReadStoredTwips(key.get(), L"Height")) height = toPixels(*v);
  }
  const std::optional<PixelRect> regionBox = RegionBox(clock);
  const PixelSize size =
      UsableSize(width, height, {r.right - r.left, r.bottom - r.top}, regionBox.value_or(PixelRect{}));
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(clock, nullptr, left, top, size.width, size.height, flags);
  PullBackOntoScreen(clock);
}

void PullBackOntoScreen(HWND clock) {
  std::vector<PixelRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&monitors));
  RECT r{};
  GetWindowRect(clock, &r);
  const PixelOffset move = PullOntoScreen(VisibleFace(ToPixelRect(r), RegionBox(clock)), monitors);
  if (move.dx || move.dy)
    SetWindowPos(clock, nullptr, r.left + move.dx, r.top + move.dy, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

}  // namespace tkt
