// Mouse handling of the clock window: the left button drags the window, the right button opens the menu
// form's popup. The window hands every button and move event here; positions are client pixels.
// Button values: 1 left, 2 right, 4 middle.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "form2.h"
#include "window_drag.h"

namespace tkt {

class Form1Window;

class Form1Mouse : private ClockWindowLink {
 public:
  // The menu form is made with `options` on the first right-button press.
  explicit Form1Mouse(Form1Window& form, MenuFormOptions options = {});
  ~Form1Mouse() override;
  Form1Mouse(const Form1Mouse&) = delete;
  Form1Mouse& operator=(const Form1Mouse&) = delete;

  void Form_MouseDown(int button, POINT client);
  void Form_MouseMove(POINT client);
  void Form_MouseUp(int button, POINT client);
  void OnCaptureLost();

  // The menu form once loaded, for tests; null before the first right-button press and after it unloads.
  Form2* MenuForm() const { return IsWindow(form2Window_) ? form2_ : nullptr; }
  void SetMenuFormOptions(MenuFormOptions options) { options_ = std::move(options); }
  bool Dragging() const { return drag_.Dragging(); }
  // The face is being drawn at another scale. While dragging, the grabbed point is scaled with it and the
  // result is the corner that keeps it under the pointer; nothing otherwise.
  std::optional<POINT> RescaleGrab(int fromDpi, int toDpi);

 private:
  // ClockWindowLink: what the menu form does to the clock window.
  HWND ClockWindow() const override;
  void SetTzLabel(const std::wstring& caption) override;
  bool SaveWindowPos(const std::wstring& app) override;
  void RestoreWindowPos(const std::wstring& app) override;
  void UnloadClockWindow() override;

  Form1Window& form_;
  MenuFormOptions options_;
  WindowDrag drag_;
  Form2* form2_ = nullptr;      // owns itself; lives until the exit command or the end of the program
  HWND form2Window_ = nullptr;  // tells whether form2_ is still there
};

}  // namespace tkt
