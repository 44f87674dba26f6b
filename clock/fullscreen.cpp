#include "clock/fullscreen.h"

namespace tkt {

namespace {

// The desktop's icon views and the taskbars.
bool IsShellClass(const std::wstring& name) {
  for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"})
    if (name == shell) return true;
  return false;
}

}  // namespace

bool CoversMonitor(const PixelRect& monitor, const PixelRect& c) {
  return !monitor.empty() && c.left <= monitor.left && c.top <= monitor.top && c.right >= monitor.right &&
         c.bottom >= monitor.bottom;
}

bool IsFullScreenWork(const PixelRect& monitor, const std::optional<ForegroundWindow>& foreground) {
  if (!foreground || foreground->shellOrDesktop || IsShellClass(foreground->className)) return false;
  return CoversMonitor(monitor, foreground->client);
}

std::optional<bool> TopmostBand::Update(bool fullScreenWork) {
  if (topmost_ != fullScreenWork) return std::nullopt;
  topmost_ = !fullScreenWork;
  return topmost_;
}

}  // namespace tkt
