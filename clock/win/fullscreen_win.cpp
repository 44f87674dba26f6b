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
  foreground_.reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnEvent, 0, 0,
                                    WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
  Check();
}

void FullScreenWatch::Stop() {
  foreground_.reset();
  auto& watches = ThreadWatches();
  watches.erase(std::remove(watches.begin(), watches.end(), this), watches.end());
  clock_ = nullptr;
  monitorKnown_ = false;
}

void CALLBACK FullScreenWatch::OnEvent(HWINEVENTHOOK hook, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  for (FullScreenWatch* watch : ThreadWatches()) {
    if (hook == watch->foreground_.get()) {
      watch->Check();
      return;
    }
  }
}

// Called every second: the window in front and its rectangle first, the rest only for a window that covers
// the monitor.
void FullScreenWatch::Check() {
  if (!clock_) return;
  if (!monitorKnown_) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    monitor_ = {};
    if (GetMonitorInfoW(MonitorFromWindow(clock_, MONITOR_DEFAULTTONEAREST), &info))
      monitor_ = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    monitorKnown_ = true;
  }
  const HWND front = GetForegroundWindow();
  bool work = false;
  RECT outer{};
  // The client area lies inside the window's rectangle: one question to the system settles most seconds.
  if (front && front != clock_ && GetWindowRect(front, &outer) &&
      CoversMonitor(monitor_, {outer.left, outer.top, outer.right, outer.bottom}))
    work = IsFullScreenWork(monitor_, DescribeForeground(front));
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
