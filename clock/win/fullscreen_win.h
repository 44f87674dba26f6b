// Full-screen work in front on the clock's monitor takes the clock out of the topmost band until it ends.
// The clock looks on its one-second tick; where the system sends foreground changes, it also looks at once.
// Location, show and hide events are not heard: the system sends them for the caret and the pointer too.
#pragma once

#include <windows.h>

#include <optional>

#include "clock/fullscreen.h"
#include "wincommon/handle.h"

namespace tkt {

struct UnhookWinEventHandle {
  void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};
using WinEventHook = UniqueAny<HWINEVENTHOOK, UnhookWinEventHandle>;

// The window as IsFullScreenWork sees it; nothing for no window, a hidden or a minimised one.
std::optional<ForegroundWindow> DescribeForeground(HWND window);

class FullScreenWatch {
 public:
  FullScreenWatch() = default;
  FullScreenWatch(const FullScreenWatch&) = delete;
  FullScreenWatch& operator=(const FullScreenWatch&) = delete;
  ~FullScreenWatch() { Stop(); }

  // Hooks the foreground event for `clock` and looks once. The hook calls back on this thread, between its
  // messages.
  void Start(HWND clock);
  void Stop();
  // Looks at the foreground window now; moves the clock when full-screen work has begun or ended.
  void Check();
  // The clock moved or the monitors changed: the clock's monitor is looked up again at the next check.
  void MonitorChanged() { monitorKnown_ = false; }
  // Whether the foreground hook is in place (it may be, and still hear nothing, where WinEvents are missing).
  bool hooked() const { return bool(foreground_); }
  bool topmost() const { return band_.topmost(); }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                               DWORD time);
  void PlaceInBand(bool topmost, HWND front);

  HWND clock_ = nullptr;
  TopmostBand band_;
  PixelRect monitor_;
  bool monitorKnown_ = false;
  WinEventHook foreground_;
};

}  // namespace tkt
