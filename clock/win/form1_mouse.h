// The clock window's mouse: the left button drags the window, the right button opens the menu form's popup.
#pragma once

#include <windows.h>

#include "form2.h"
#include "window_drag.h"

namespace tkt {

class Form1Mouse {
 public:
  // The menu form is created with `options` on the first right-button press.
  explicit Form1Mouse(ClockWindowLink& clock, MenuFormOptions options = {});
  ~Form1Mouse();
  Form1Mouse(const Form1Mouse&) = delete;
  Form1Mouse& operator=(const Form1Mouse&) = delete;

  // Give every message of the clock window to this first; true when it was the mouse's and is handled.
  bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Form2* MenuForm() const { return IsWindow(form2Window_) ? form2_ : nullptr; }
  bool Dragging() const { return drag_.Dragging(); }

 private:
  void Form_MouseDown(HWND window, int button);
  void Form_MouseMove(HWND window);
  void Form_MouseUp(HWND window);

  ClockWindowLink& clock_;
  MenuFormOptions options_;
  WindowDrag drag_;
  Form2* form2_ = nullptr;  // owns itself; lives until the exit command or the end of the program
  HWND form2Window_ = nullptr;  // tells whether form2_ is still there
};

}  // namespace tkt
