// Full-screen work in front on the clock's monitor takes the clock out of the topmost band until it ends.
// Other programs' foreground and location changes, heard through WinEvents, say when to look again.
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

  // Hooks the events for `clock` and looks once. The hooks call back on this thread, between its messages.
  void Start(HWND clock);
  void Stop();
  // Looks at the foreground window now; moves the clock when full-screen work has begun or ended.
  void Check();
  // What the hooks hear: a window came to the front, moved or was hidden.
  void OnWinEvent(DWORD event, HWND window);
  // Whether the events reach this watch: false where the platform has no WinEvents.
  bool hooked() const { return bool(foreground_) && bool(location_); }
  bool topmost() const { return band_.topmost(); }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                               DWORD time);
  void PlaceInBand(bool topmost, HWND front);

  HWND clock_ = nullptr;
  HWND work_ = nullptr;  // the full-screen window the clock keeps out of the way of
  TopmostBand band_;
  WinEventHook foreground_, location_, hidden_;
};

}  // namespace tkt
