#include "form1_win.h"

#include <mmsystem.h>

#include "instance_win.h"
#include "menu_texts.h"
#include "resource.h"
#include "wincommon/text.h"
#include "window_pos_win.h"

namespace tkt {

namespace {

constexpr UINT_PTR kTimer1 = 1;  // the tick, re-armed for just after each whole second
constexpr UINT_PTR kTimer2 = 2;  // the chime, 500 ms
constexpr UINT kTimer2IntervalMs = 500;


}  // namespace

Form1Window::Form1Window() : mouse_(*this) {}

void Form1Window::DescribeClass(WNDCLASSEXW& wc) {
  // A DC of its own: the tick paints through GetDC every second, and a fresh DC costs a font set-up each time.
  wc.style = CS_OWNDC;
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_TKT));
}

// The time in the clock's own zone, or in the PC's.
ClockTime Form1Window::LocalNow() {
  const worldtime::CivilTime t = zoneClock_.Now();
  return {t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
}

Form1Window::~Form1Window() {
  // The menu form calls back into this object: it goes first.
  if (IsWindow(menuFormWindow_)) DestroyWindow(menuFormWindow_);
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Form1Window::Create(HINSTANCE instance) {
  cuckooSource_ = LoadCuckooPictures(instance);
  // A tool window has no taskbar button: a desktop clock, not a task. A press on it leaves the keyboard
  // with the window in front.
  if (!CreateWindowOf(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kApplicationTitle, WS_POPUP, 0, 0,
                      kDesignWidthPx, kDesignHeightPx, nullptr))
    return false;

  const tkt::Status loaded = Form_Load();
  if (!loaded) {
    ShowStartupFailure();
    DestroyUnheard();
    return false;
  }
  // Timers start once the window is loaded, so no tick sees a half-made face.
  const int first = DelayToNextSecondMs(LocalNow().millisecond);
  tickTimer_.Armed(first);
  SetTimer(hwnd_, kTimer1, UINT(first), nullptr);
  fullScreen_.Start(hwnd_);
  return true;
}

void Form1Window::SetSettingsFile(std::wstring path, std::wstring positionApp) {
  settingsPath_ = std::move(path);
  positionApp_ = std::move(positionApp);
}

// A screen gone, moved or back from sleep: a face left on no screen comes back to the nearest one.
void Form1Window::OnDisplayChange() {
  PullBackOntoScreen(hwnd_);
  fullScreen_.MonitorChanged();
}

// Started with the others at logon, the clock leaves the keyboard with the window in front.
void Form1Window::Show() { ShowWindow(hwnd_, SW_SHOWNOACTIVATE); }

void Form1Window::ShowStartupFailure() {
  MessageBoxW(nullptr,
              L"初期設定値の読み込みに失敗しました。\r"
              L"iniファイルが同じフォルダにあるか確認して下さい。",
              L"エラー発生", MB_OK);
}

LRESULT Form1Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == ReadSettingsMessage()) return ReadSettingsAgain();
  switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintThrough(msg, wp);
    case WM_TIMECHANGE:
    case WM_SETTINGCHANGE:
      OnZoneDataChanged();
      if (msg == WM_SETTINGCHANGE && wp == SPI_SETWORKAREA) OnDisplayChange();
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_DISPLAYCHANGE:
      OnDisplayChange();
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_POWERBROADCAST:
      if (wp == PBT_APMRESUMEAUTOMATIC) OnDisplayChange();
      return TRUE;
    case WM_WINDOWPOSCHANGED:
      fullScreen_.MonitorChanged();
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_ERASEBKGND:
      return 1;  // everything is painted from the back buffer
    case WM_TIMER:
      if (wp == kTimer1) OnTimer1();
      if (wp == kTimer2) Timer2_Timer();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: MouseDown(1); return 0;
    case WM_RBUTTONDOWN: MouseDown(2); return 0;
    case WM_MBUTTONDOWN: MouseDown(4); return 0;
    case WM_MOUSEMOVE:
      OnMouseOver();
      // A release missed while the pointer was over another window (Wine routes a background window's
      // captured pointer by position) ends the drag.
      if (!(wp & MK_LBUTTON) && mouse_.Dragging()) mouse_.OnCaptureLost();
      mouse_.Form_MouseMove();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: mouse_.Form_MouseUp(); return 0;
    case WM_CAPTURECHANGED: mouse_.OnCaptureLost(); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lp)->hwndFrom != tip_) break;
      OnTipNotify(lp);
      return 0;
    case WM_DESTROY:
      fullScreen_.Stop();
      KillTimer(hwnd_, kTimer1);
      KillTimer(hwnd_, kTimer2);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

void Form1Window::MouseDown(int button) {
  const std::optional<POINT> menuAt = mouse_.Form_MouseDown(button);
  if (!menuAt) return;
  if (!IsWindow(menuFormWindow_)) {
    menuForm_ = Form2::Create(hwnd_, *this);
    menuFormWindow_ = menuForm_ ? menuForm_->Window() : nullptr;
  }
  if (menuForm_) menuForm_->ShowPopupMenu(*menuAt);
}

void Form1Window::SetTzLabel(const std::wstring& caption) { model_.lblLabel2 = WideToAnsi(caption); }

bool Form1Window::SaveWindowPos(const std::wstring& app) {
  return ::tkt::SaveWindowPos(hwnd_, PositionApp(app)) == ERROR_SUCCESS;
}

void Form1Window::RestoreWindowPos(const std::wstring& app) { ::tkt::RestoreWindowPos(hwnd_, PositionApp(app)); }

void Form1Window::UnloadClockWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Form1Window::OnTimer1() {
  const ClockTime now = LocalNow();
  if (const int interval = tickTimer_.NextInterval(now.millisecond)) SetTimer(hwnd_, kTimer1, UINT(interval), nullptr);
  if (!tickGate_.Admit(now)) return;
  Timer1_Timer(now);
  if (tipShown_ && now.second == 0) UpdateTip();
  // Once a second, and nothing else wakes the clock for them.
  FollowSettingsFile();
  fullScreen_.Check();
}

void Form1Window::Timer1_Timer(const ClockTime& now) {
  const FaceScene before = Scene();
  const RECT readoutBefore = ReadoutRect();
  if (model_.Timer1_Timer(now)) SetTimer(hwnd_, kTimer2, kTimer2IntervalMs, nullptr);
  RepaintChanges(before, readoutBefore);
}

void Form1Window::Timer2_Timer() {
  const FaceScene before = Scene();
  const RECT readoutBefore = ReadoutRect();
  // The doors move in the quiet states too; only the call stays silent.
  const bool call = QuietChime(*notificationState_, options_.quiet).Step(model_);
  if (!model_.timer2Enabled) KillTimer(hwnd_, kTimer2);
  RepaintChanges(before, readoutBefore);
  // Asynchronous; a missing file stays silent and a call still playing is not cut off or queued behind.
  if (call) PlaySoundW(kChimeSound, nullptr, SND_ASYNC | SND_NODEFAULT | SND_NOSTOP | SND_FILENAME);
}

}  // namespace tkt
