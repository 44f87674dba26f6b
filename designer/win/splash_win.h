// Form3: the splash, borderless and centred, for one timer interval; then the main window.
#pragma once

#include <windows.h>

#include <functional>

#include "designer/win/artwork_win.h"

namespace designer::win {

class SplashWindow {
 public:
  SplashWindow(Artwork& artwork, std::function<void()> done) : artwork_(artwork), done_(std::move(done)) {}
  SplashWindow(const SplashWindow&) = delete;
  SplashWindow& operator=(const SplashWindow&) = delete;

  static void Register(HINSTANCE instance);
  HWND Show(UINT intervalMs = 3000);
  HWND hwnd() const { return hwnd_; }
  void PaintContent(HDC dc, const RECT& rc);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  Artwork& artwork_;
  std::function<void()> done_;
  HWND hwnd_ = nullptr;
};

}  // namespace designer::win
