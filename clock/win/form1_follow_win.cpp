// The clock follows its settings file: read on the tick when the stamps of the file, or of the picture and
// region files it names, have changed; shown only when all of it reads, in the window's place.
#include <memory>
#include <new>

#include "clock/instance.h"
#include "faceformat/clock_options.h"
#include "faceformat/settings.h"
#include "form1_win.h"
#include "wincommon/text.h"

namespace tkt {

namespace {

uint64_t FileTimeValue(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

FileStamp StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  return {true, FileTimeValue(data.ftLastWriteTime), (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

bool SameFace(const FaceSource& a, const FaceSource& b) { return a.picture == b.picture && a.runs == b.runs; }

}  // namespace

// Each file's stamp is taken before it is read, so a write during the reading shows as a change next time.
faceformat::Status ReadFaceFiles(const std::wstring& settingsPath, FaceFiles& files) try {
  files = {};
  files.paths.push_back(settingsPath);
  files.stamps.push_back(StampOf(settingsPath));
  files.required = 1;
  auto settings = faceformat::ReadSettingsFile(std::filesystem::path(settingsPath));
  if (!settings) return faceformat::Error{"settings: " + settings.error().what, settings.error().where};
  const std::wstring folder = FolderOf(settingsPath);
  const std::wstring region = ResolveBesideFile(folder, AnsiToWide(settings->regionFilePath.value_or("")));
  const std::wstring picture = ResolveBesideFile(folder, AnsiToWide(settings->faceBitmapPath.value_or("")));
  files.paths.push_back(region);
  files.paths.push_back(picture);
  files.stamps.push_back(StampOf(region));
  files.stamps.push_back(StampOf(picture));
  files.required = 3;
  auto source = LoadFaceSource(WideToAnsi(region), WideToAnsi(picture));
  if (!source) return source.error();
  // Last, and not required: most clocks have no options file.
  const std::wstring optionsPath = faceformat::OptionsPathFor(std::filesystem::path(settingsPath)).wstring();
  files.paths.push_back(optionsPath);
  files.stamps.push_back(StampOf(optionsPath));
  // Options that cannot be read leave the clock as it would be without them.
  if (auto options = faceformat::ReadClockOptions(std::filesystem::path(settingsPath))) files.options = *options;
  files.settings = std::move(*settings);
  files.source = std::move(*source);
  return faceformat::Success();
} catch (const std::bad_alloc&) {
  return faceformat::Error{"out of memory"};
}

void Form1Window::FollowSettingsFile() {
  if (watchedPaths_.empty()) return;
  // Only the notice is asked while nothing happens.
  if (!notices_.Changed() && !watch_.Pending()) return;
  FileStamps now;
  for (const std::wstring& path : watchedPaths_) now.push_back(StampOf(path));
  FILETIME time;
  GetSystemTimeAsFileTime(&time);
  if (watch_.Look(now, FileTimeValue(time))) ReadSettingsAgain();
}

bool Form1Window::ReadSettingsAgain() try {
  auto files = std::make_unique<FaceFiles>();
  const faceformat::Status read = ReadFaceFiles(settingsPath_, *files);
  // Not read again until one of the files it got to changes.
  watch_.Handled(files->stamps, files->required);
  watchedPaths_ = files->paths;
  notices_.Watch(watchedPaths_);
  if (!read) return false;
  if (files->options != options_) ApplyOptions(files->options);
  if (files->settings == settings_ && SameFace(files->source, faceSource_)) return true;

  Form1Model fresh;
  fresh.lblLabel2 = model_.lblLabel2;
  fresh.LayOut(files->settings);
  fresh.SetScreenScale(kDesignTwipsPerPixel);
  fresh.Timer1_Timer(model_.tickTime);  // the hands where they stand now
  fresh.Label1.caption = model_.Label1.caption;
  fresh.chimeCount = model_.chimeCount;
  fresh.chimeStep = model_.chimeStep;
  fresh.timer2Enabled = model_.timer2Enabled;
  fresh.chimeHours = model_.chimeHours;

  faceformat::Image face;
  if (!ApplyFaceRegion(hwnd_, files->source, dpi(), face)) return false;
  // From here nothing can fail: the window shows the new face as a whole.
  model_ = std::move(fresh);
  settings_ = std::move(files->settings);
  faceSource_ = std::move(files->source);
  face_ = std::move(face);
  CreateReadoutFont();
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

}  // namespace tkt
