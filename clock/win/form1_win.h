// The clock window Form1: a borderless, topmost, shaped window without a taskbar button. Its logic is
// the portable Form1Model; this class loads it, runs its timers, paints it and plays the cuckoo.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "clock/form1_model.h"
#include "clock/form1_scene.h"
#include "clock/settings_watch.h"
#include "clock/tick_schedule.h"
#include "base/result.h"
#include "folder_notices_win.h"
#include "form1_mouse_win.h"
#include "form2.h"
#include "fullscreen_win.h"
#include "gdi_win.h"
#include "quiet_chime_win.h"
#include "region_win.h"
#include "wincommon/window.h"
#include "worldtime/win/zones_win.h"

namespace tkt {

inline constexpr wchar_t kForm1Class[] = L"TocktideClock";
inline constexpr wchar_t kChimeSound[] = L"..\\hato.wav";

// A face as its files hold it: the settings, the picture and region they name, and each file's stamp as it
// was before it was read. On failure, the files as far as the reading got.
struct FaceFiles {
  faceformat::ClockSettings settings;
  faceformat::ClockOptions options;  // the defaults when the options file is missing or cannot be read
  FaceSource source;
  std::vector<std::wstring> paths;
  FileStamps stamps;
  size_t required = 0;  // the paths before the options file
};
tkt::Status ReadFaceFiles(const std::wstring& settingsPath, FaceFiles& files);

class Form1Window : public Window<Form1Window>, private ClockWindowLink {
 public:
  Form1Window();
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;
  ~Form1Window() override;

  // Creates the window hidden and runs Form_Load. On failure the start-up message has been shown,
  // the window is gone and the result is false.
  bool Create(HINSTANCE instance);
  void Show();
  static void ShowStartupFailure();

  // Before Create: the settings file (without it, the working folder's tkt.ini) and the application name
  // its stored position goes under.
  void SetSettingsFile(std::wstring path, std::wstring positionApp);
  // The stored position of this clock, for the menu's "Clock".
  std::wstring PositionApp(const std::wstring& app) const { return app == L"Clock" ? positionApp_ : app; }
  // Reads the settings file and the files it names again and shows them in place when all of it reads;
  // otherwise the clock stays as it was.
  bool ReadSettingsAgain();

  Form1Model& model() { return model_; }

  // Draws the client area's `area` into `dc`: back buffer, face renderer, GDI text for the read-out.
  void PaintContent(HDC dc, const RECT& area);

  // The handlers of the timers, for tests that drive the window without waiting.
  void Timer1_Timer(const ClockTime& now);
  void Timer2_Timer();

  // The quiet states come from the shell; a test puts a source of its own.
  void SetNotificationStateSource(NotificationStateSource& source) { notificationState_ = &source; }
  FullScreenWatch& fullScreen() { return fullScreen_; }

 private:
  friend class Window<Form1Window>;
  static constexpr const wchar_t* kClassName = kForm1Class;
  static void DescribeClass(WNDCLASSEXW& wc);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Form_Load steps 1 to 20 (form1_load_win.cpp). Errors say which step failed.
  tkt::Status Form_Load();
  void FollowSettingsFile();
  void OnDisplayChange();
  // Shape, face and cuckoo pictures and the read-out's font at dpi().
  tkt::Status ApplyScale();
  void OnDpiChanged(int oldDpi, const RECT& suggested);
  void OnTimer1();
  ClockTime LocalNow();

  // The options file (form1_options_win.cpp): the zone, the chime hours, the tooltip and the see-through face.
  void ApplyOptions(const faceformat::ClockOptions& options);
  // The time, the PC's zone or the system's zone data may have changed.
  void OnZoneDataChanged();
  void UpdateAlpha();
  void OnMouseOver();
  void OnMouseLeave();
  std::wstring TipText();
  void OnTipNotify(LPARAM notice);
  void UpdateTip();
  void MouseDown(int button);

  // ClockWindowLink: what the menu form does to this window.
  void SetTzLabel(const std::wstring& caption) override;
  bool SaveWindowPos(const std::wstring& app) override;
  void RestoreWindowPos(const std::wstring& app) override;
  void UnloadClockWindow() override;

  // Painting helpers (form1_paint_win.cpp).
  FaceScene Scene() const;
  void CreateReadoutFont();
  RECT ReadoutRect();
  // Repaints at once, straight to the window, only what moved: old and new bounds of the hands and
  // pictures that changed, and the read-out. (Under Wine a round through WM_PAINT costs the clock more
  // than everything else it does in a second.)
  void RepaintChanges(const FaceScene& before, const RECT& readoutBefore);
  // PaintContent with the scene already worked out.
  void PaintScene(HDC dc, const RECT& area, const FaceScene& scene);

  Form1Model model_;
  FaceSource faceSource_;       // at 96 DPI, as the files hold it
  CuckooPictures cuckooSource_;
  faceformat::Image face_;      // both at dpi()
  CuckooPictures cuckoos_;
  TickGate tickGate_;
  TickTimer tickTimer_;
  worldtime::ZoneClock zoneClock_;
  faceformat::ClockOptions options_;
  HWND tip_ = nullptr;       // the tooltip, while the clock has a name or a zone of its own
  std::wstring tipText_;     // what the tooltip last asked for
  bool tipShown_ = false;
  bool pointerOver_ = false;  // a leave is being tracked: the face is faded
  GdiObject<HFONT> readoutFont_;
  BackBuffer back_;
  Form1Mouse mouse_;
  Form2* menuForm_ = nullptr;      // owns itself; made on the first right-button press
  HWND menuFormWindow_ = nullptr;  // tells whether menuForm_ is still there
  ShellNotificationState shellState_;
  NotificationStateSource* notificationState_ = &shellState_;
  FullScreenWatch fullScreen_;
  std::wstring settingsPath_;
  std::wstring positionApp_ = L"Clock";
  faceformat::ClockSettings settings_;  // as shown
  SettingsWatch watch_;
  std::vector<std::wstring> watchedPaths_;
  FolderNotices notices_;
};

// Loads the four cuckoo pictures compiled into the program; a missing one stays empty.
CuckooPictures LoadCuckooPictures(HINSTANCE instance);
CuckooPictures ScaleCuckooPictures(const CuckooPictures& pictures, int dpi);

}  // namespace tkt
