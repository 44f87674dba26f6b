// Form3: the splash, borderless and centred, for one timer interval; then the main window. The picture and
// its edge scale with the monitor's DPI.
#pragma once

#include <windows.h>

#include <functional>

#include "designer/win/artwork_win.h"
#include "wincommon/window.h"

namespace designer::win {

class SplashWindow : public tkt::Window<SplashWindow> {
 public:
  SplashWindow(Artwork& artwork, std::function<void()> done) : artwork_(artwork), done_(std::move(done)) {}

  HWND Show(UINT intervalMs = 3000);
  void PaintContent(HDC dc, const RECT& rc);

 private:
  friend class tkt::Window<SplashWindow>;
  static constexpr const wchar_t* kClassName = L"TktDesignerForm3";
  static void DescribeClass(WNDCLASSEXW& wc) { wc.hCursor = LoadCursorW(nullptr, IDC_APPSTARTING); }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  SIZE SizeAt(int dpi) const;
  const faceformat::Image* Picture();

  Artwork& artwork_;
  std::function<void()> done_;
  faceformat::Image scaled_;  // the picture at scaledDpi_
  int scaledDpi_ = 0;
};

}  // namespace designer::win
