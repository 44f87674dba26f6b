// Dragging the clock window with the left button. The window hands every button and move event here.
// Button values: 1 left, 2 right, 4 middle.
#pragma once

#include <windows.h>

#include <optional>

#include "window_drag.h"

namespace tkt {

class Form1Window;

class Form1Mouse {
 public:
  explicit Form1Mouse(Form1Window& form) : form_(form) {}
  Form1Mouse(const Form1Mouse&) = delete;
  Form1Mouse& operator=(const Form1Mouse&) = delete;

  // Where the menu opens, in screen pixels, when the button asks for it.
  std::optional<POINT> Form_MouseDown(int button);
  void Form_MouseMove();
  void Form_MouseUp();
  void OnCaptureLost();

  bool Dragging() const { return drag_.Dragging(); }
  // The face is being drawn at another scale. While dragging, the grabbed point is scaled with it and the
  // result is the corner that keeps it under the pointer; nothing otherwise.
  std::optional<POINT> RescaleGrab(int fromDpi, int toDpi);

 private:
  Form1Window& form_;
  WindowDrag drag_;
};

}  // namespace tkt
