// frmVersion: the version window with its logo animation. Shown modally by the menu form; a new window, and a
// new animation, each time.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "wincommon/gdi.h"
#include "wincommon/window.h"
#include "logo_animation.h"

namespace tkt {

class VersionWindow : public tkt::Window<VersionWindow>, private LogoCanvas {
 public:
  // Runs until the window closes. The owner (and alsoDisabled, when given) take no input meanwhile.
  static void ShowModal(HWND owner, HWND alsoDisabled, RandomSource random = {});

  // Shows the window without waiting; it deletes itself when destroyed. Empty random: seeded from the clock.
  static VersionWindow* Create(HWND owner, RandomSource random = {});

  HWND Window() const { return hwnd_; }
  HWND Canvas() const { return canvas_.hwnd(); }
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
  friend class tkt::Window<VersionWindow>;
  static constexpr const wchar_t* kClassName = L"TocktideVersion";
  VersionWindow() = default;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Form_Load();
  void LoadLogo();
  // Places the children and makes the fonts at dpi(); sizes the client area to the layout.
  void Layout();
  // Moved to a monitor of another scale: laid out again there, the logo standing complete.
  void OnDpiChanged(int oldDpi, const RECT& suggested);
  void CloseWindow();

  // LogoCanvas: the persistent image of Picture1.
  void Clear() override;
  void CopyFromLogo(int srcX, int srcY, int width, int height, int dstX, int dstY) override;
  void Refresh() override;

  // Picture1, the child that shows the canvas's persistent image.
  class CanvasWindow : public tkt::Window<CanvasWindow> {
   public:
    explicit CanvasWindow(const VersionWindow& owner) : owner_(owner) {}
    HWND Create(const RECT& at, HWND parent);

   private:
    friend class tkt::Window<CanvasWindow>;
    static constexpr const wchar_t* kClassName = L"TocktideLogoCanvas";
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    const VersionWindow& owner_;
  };

  HWND owner_ = nullptr;
  CanvasWindow canvas_{*this};
  HWND close_ = nullptr;
  HWND text1_ = nullptr;
  GdiObject<HFONT> versionFont_, rightsFont_, makerFont_, closeFont_;
  DibSection logo_;        // the logo with a margin of its background colour for the blocks past its edge
  DibSection image_;       // the canvas's persistent image
  std::optional<MemoryDc> logoDc_, imageDc_;
  int logoWidth_ = 0, logoHeight_ = 0;
  RandomSource random_;
  std::unique_ptr<LogoAnimation> animation_;
  bool timerRunning_ = false;
  bool* closedFlag_ = nullptr;  // set when the window goes, for the modal loop
};

}  // namespace tkt
