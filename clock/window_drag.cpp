#include "window_drag.h"

#include <cmath>

namespace tkt {

WindowDrag::Action WindowDrag::Form_MouseDown(int button, DragPoint pointer) {
  switch (button) {
    case kLeftButton:
      dragging = 1;
      dragStartX = pointer.x;
      dragStartY = pointer.y;
      return Action::kStartDrag;
    case kRightButton:
      return Action::kShowMenu;
    default:
      return Action::kNone;
  }
}

std::optional<DragPoint> WindowDrag::Form_MouseMove(DragPoint windowTopLeft, DragPoint pointer) const {
  if (dragging == 0) return std::nullopt;
  return DragPoint{windowTopLeft.x - dragStartX + pointer.x, windowTopLeft.y - dragStartY + pointer.y};
}

void WindowDrag::Form_MouseUp() { dragging = 0; }

void WindowDrag::Rescale(int from, int to) {
  if (from <= 0 || to <= 0) return;
  dragStartX = int(std::lround(double(dragStartX) * to / from));
  dragStartY = int(std::lround(double(dragStartY) * to / from));
}

}  // namespace tkt
