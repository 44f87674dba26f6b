// frmVersion: the version window with its logo animation. Shown modally by the menu form; a new window, and a
// new animation, each time.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "wincommon/gdi.h"
#include "logo_animation.h"

namespace tkt {

class VersionWindow : private LogoCanvas {
 public:
  // Runs until the window closes. The owner (and alsoDisabled, when given) take no input meanwhile.
  static void ShowModal(HWND owner, HWND alsoDisabled, RandomSource random = {});

  // Shows the window without waiting; it deletes itself when destroyed. Empty random: seeded from the clock.
  static VersionWindow* Create(HWND owner, RandomSource random = {});

  HWND Window() const { return window_; }
  HWND Canvas() const { return canvas_; }
  HWND CloseButton() const { return close_; }
  const LogoAnimation& Animation() const { return *animation_; }
  void Timer1_Timer();  // one frame, as the timer runs it
  // The canvas's off-screen image, 0x00RRGGBB; the logo as drawn into it.
  uint32_t CanvasPixel(int x, int y) const { return image_.At(x, y); }
  const DibSection& Logo() const { return logo_; }
  int LogoWidth() const { return logoWidth_; }
  int LogoHeight() const { return logoHeight_; }
  int CanvasWidth() const { return image_.width; }
  int CanvasHeight() const { return image_.height; }

  // Everything but the child controls: frame, outline shape and the three labels.
  void PaintContent(HDC dc, const RECT& client);

 private:
  VersionWindow() = default;
  static void RegisterClasses(HINSTANCE instance);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Form_Load(RandomSource random);
  void LoadLogo();
  void CloseWindow();

  // LogoCanvas: the persistent image of Picture1.
  void Clear() override;
  void CopyFromLogo(int srcX, int srcY, int width, int height, int dstX, int dstY) override;
  void Refresh() override;

  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  HWND canvas_ = nullptr;
  HWND close_ = nullptr;
  HWND text1_ = nullptr;
  int dpi_ = 96;
  GdiObject<HFONT> versionFont_, rightsFont_, makerFont_, closeFont_;
  DibSection logo_;        // the logo with a margin of its background colour for the blocks past its edge
  DibSection image_;       // the canvas's persistent image
  std::optional<MemoryDc> logoDc_, imageDc_;
  int logoWidth_ = 0, logoHeight_ = 0;
  std::unique_ptr<LogoAnimation> animation_;
  bool timerRunning_ = false;
  bool* closedFlag_ = nullptr;  // set when the window goes, for the modal loop
};

}  // namespace tkt
