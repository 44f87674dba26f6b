#include "fullscreen_win.h"

#include <algorithm>
#include <vector>

namespace tkt {

namespace {

// WinEvent callbacks carry no pointer of ours: the watches of this thread, to find the one a hook belongs to.
std::vector<FullScreenWatch*>& ThreadWatches() {
  thread_local std::vector<FullScreenWatch*> watches;
  return watches;
}

constexpr DWORD kHookFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;

HWINEVENTHOOK Hook(DWORD event, WINEVENTPROC proc) {
  return SetWinEventHook(event, event, nullptr, proc, 0, 0, kHookFlags);
}

constexpr UINT kBandFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

}  // namespace

std::optional<ForegroundWindow> DescribeForeground(HWND window) {
  if (!window || !IsWindowVisible(window) || IsIconic(window)) return std::nullopt;
  ForegroundWindow out;
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  out.client = {client.left, client.top, client.right, client.bottom};
  wchar_t name[256] = {};
  const int n = GetClassNameW(window, name, 256);
  out.className.assign(name, size_t(n > 0 ? n : 0));
  out.shellOrDesktop = window == GetShellWindow() || window == GetDesktopWindow();
  return out;
}

void FullScreenWatch::Start(HWND clock) {
  Stop();
  clock_ = clock;
  ThreadWatches().push_back(this);
  foreground_.reset(Hook(EVENT_SYSTEM_FOREGROUND, &OnEvent));
  location_.reset(Hook(EVENT_OBJECT_LOCATIONCHANGE, &OnEvent));
  // A full-screen window that closes leaves no foreground window behind where nothing else can take it.
  hidden_.reset(Hook(EVENT_OBJECT_HIDE, &OnEvent));
  Check();
}

void FullScreenWatch::Stop() {
  foreground_.reset();
  location_.reset();
  hidden_.reset();
  auto& watches = ThreadWatches();
  watches.erase(std::remove(watches.begin(), watches.end(), this), watches.end());
  clock_ = work_ = nullptr;
}

void CALLBACK FullScreenWatch::OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                       DWORD) {
  // Location changes come for the caret and the pointer too.
  if (object != OBJID_WINDOW || child != CHILDID_SELF) return;
  for (FullScreenWatch* watch : ThreadWatches()) {
    if (hook == watch->foreground_.get() || hook == watch->location_.get() || hook == watch->hidden_.get()) {
      watch->OnWinEvent(event, window);
      return;
    }
  }
}

void FullScreenWatch::OnWinEvent(DWORD event, HWND window) {
  switch (event) {
    case EVENT_SYSTEM_FOREGROUND:
      Check();
      break;
    case EVENT_OBJECT_LOCATIONCHANGE:
      // Only the window in front can start or end full-screen work by moving.
      if (window == GetForegroundWindow() || window == work_) Check();
      break;
    case EVENT_OBJECT_HIDE:
      if (window == work_) Check();
      break;
  }
}

void FullScreenWatch::Check() {
  if (!clock_ || !IsWindow(clock_)) return;
  const HWND front = GetForegroundWindow();
  PixelRect monitor;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(clock_, MONITOR_DEFAULTTONEAREST), &info))
    monitor = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
  const bool work = IsFullScreenWork(monitor, DescribeForeground(front));
  work_ = work ? front : nullptr;
  if (const auto band = band_.Update(work)) PlaceInBand(*band, front);
}

void FullScreenWatch::PlaceInBand(bool topmost, HWND front) {
  if (topmost) {
    SetWindowPos(clock_, HWND_TOPMOST, 0, 0, 0, 0, kBandFlags);
    return;
  }
  SetWindowPos(clock_, HWND_NOTOPMOST, 0, 0, 0, 0, kBandFlags);
  // Placed after a topmost window, the clock would be topmost again; below the band it is under that one anyway.
  if (!(GetWindowLongPtrW(front, GWL_EXSTYLE) & WS_EX_TOPMOST)) SetWindowPos(clock_, front, 0, 0, 0, 0, kBandFlags);
}

}  // namespace tkt
