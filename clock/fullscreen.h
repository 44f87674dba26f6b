// Full-screen work (a game, a video, a slide show) on the clock's monitor: the clock leaves the topmost
// band while it lasts.
#pragma once

#include <optional>
#include <string>

#include "face/raster.h"

namespace tkt {

struct ForegroundWindow {
  PixelRect client;  // its client area in screen coordinates
  std::wstring className;
  bool shellOrDesktop = false;  // GetShellWindow or GetDesktopWindow
};

// Whether `client` reaches every edge of `monitor` (a non-empty one).
bool CoversMonitor(const PixelRect& monitor, const PixelRect& client);

// Whether the foreground window fills the whole monitor with its client area, and is not the desktop or
// the shell (whose windows cover the monitor all the time). A maximised window with a title bar does not.
bool IsFullScreenWork(const PixelRect& monitor, const std::optional<ForegroundWindow>& foreground);

// The clock's place in the topmost band, changed only when full-screen work starts or ends.
class TopmostBand {
 public:
  // The band to move to (true: topmost), or nothing when the clock is where it should be.
  std::optional<bool> Update(bool fullScreenWork);
  bool topmost() const { return topmost_; }

 private:
  bool topmost_ = true;
};

}  // namespace tkt
