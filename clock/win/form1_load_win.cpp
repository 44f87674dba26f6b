// Form_Load: settings, layout, topmost placement, default position, shape and stored position.
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "face/display_scale.h"
#include "faceformat/bmp.h"
#include "faceformat/settings.h"
#include "form1_win.h"
#include "region_win.h"
#include "resource.h"
#include "window_pos_win.h"
#include "wincommon/process.h"
#include "wincommon/text.h"

namespace tkt {

namespace {

std::wstring EnvironmentVariable(const wchar_t* name) {
  std::wstring value(256, L'\0');
  DWORD n = GetEnvironmentVariableW(name, value.data(), DWORD(value.size()));
  if (n > value.size()) {
    value.resize(n);
    n = GetEnvironmentVariableW(name, value.data(), DWORD(value.size()));
  }
  value.resize(n);
  return value;
}

faceformat::Image LoadPictureResource(HINSTANCE instance, int id) {
  HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) return {};
  HGLOBAL data = LoadResource(instance, res);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(data));
  if (!bytes) return {};
  auto image = faceformat::DecodeBmp({bytes, SizeofResource(instance, res)});
  return image ? std::move(*image) : faceformat::Image{};
}

}  // namespace

CuckooPictures LoadCuckooPictures(HINSTANCE instance) {
  return {LoadPictureResource(instance, IDR_HATO1_CLOSE), LoadPictureResource(instance, IDR_HATO1_OPEN),
          LoadPictureResource(instance, IDR_HATO2_CLOSE), LoadPictureResource(instance, IDR_HATO2_OPEN)};
}

CuckooPictures ScaleCuckooPictures(const CuckooPictures& pictures, int dpi) {
  return {ScalePicture(pictures.hato1_close, dpi), ScalePicture(pictures.hato1_open, dpi),
          ScalePicture(pictures.hato2_close, dpi), ScalePicture(pictures.hato2_open, dpi)};
}

tkt::Status Form1Window::ApplyScale() {
  auto shaped = ApplyFaceRegion(hwnd_, faceSource_, dpi(), face_);
  if (!shaped) return shaped.error();
  cuckoos_ = ScaleCuckooPictures(cuckooSource_, dpi());
  CreateReadoutFont();
  return tkt::Success();
}

// Moved to a monitor of another scale: the face, its outline, the pictures and the read-out are made again
// at the new scale. A face being dragged keeps the grabbed point under the pointer; otherwise the window
// takes the corner the system suggests.
void Form1Window::OnDpiChanged(int oldDpi, const RECT& suggested) {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  POINT corner{suggested.left, suggested.top};
  if (const auto grabbed = mouse_.RescaleGrab(oldDpi, dpi())) corner = *grabbed;
  if (!ApplyScale()) return;  // out of memory: the old shape stays
  SetWindowPos(hwnd_, nullptr, corner.x, corner.y, MulDiv(r.right - r.left, dpi(), oldDpi),
               MulDiv(r.bottom - r.top, dpi(), oldDpi), SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

// Running out of memory (large files on the 32-bit clock) is a start-up failure like any other.
tkt::Status Form1Window::Form_Load() try {
  const std::wstring dir = CurrentDirectory();
  model_.lblLabel2 = "TZ=" + WideToAnsi(EnvironmentVariable(L"TZ"));           // 2
  if (settingsPath_.empty()) settingsPath_ = dir + L"\\tkt.ini";
  // 3, 4 and the reading of 19: the settings and the files they name, relative ones beside the settings.
  auto files = std::make_unique<FaceFiles>();
  const tkt::Status read = ReadFaceFiles(settingsPath_, *files);
  if (!read) return read;
  model_.LayOut(files->settings);                                               // 5 to 13
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);        // 14
  // 15, 17: the face is laid out in its own 96-DPI twips and drawn at the monitor's scale.
  model_.SetScreenScale(kDesignTwipsPerPixel);
  // 16: the default corner from the screen's size in the face's twips, so that the whole scaled face shows.
  const float tpp = SceneTwipsPerPixel(dpi());
  const TwipPoint pos = model_.DefaultPosition(float(GetSystemMetrics(SM_CXSCREEN)) * tpp,
                                               float(GetSystemMetrics(SM_CYSCREEN)) * tpp);
  SetWindowPos(hwnd_, nullptr, int(std::lround(pos.x / tpp)), int(std::lround(pos.y / tpp)),
               ScaledSize(kDesignWidthPx, dpi()), ScaledSize(kDesignHeightPx, dpi()), SWP_NOZORDER | SWP_NOACTIVATE);
  // 18: the title "Tock Tide" is the window's own and every later message box's.
  faceSource_ = std::move(files->source);                                       // 19
  if (auto shaped = ApplyScale(); !shaped) return shaped.error();
  ::tkt::RestoreWindowPos(hwnd_, positionApp_);                                         // 20
  settings_ = std::move(files->settings);
  ApplyOptions(files->options);
  watchedPaths_ = std::move(files->paths);
  watch_ = SettingsWatch(std::move(files->stamps), files->required);
  notices_.Watch(watchedPaths_);
  return tkt::Success();
} catch (const std::bad_alloc&) {
  return tkt::Error{"out of memory"};
}

}  // namespace tkt
