#include "form1_mouse_win.h"

#include "form1_win.h"

namespace tkt {
namespace {

// The window's top-left corner now, and the pointer where the event happened relative to it, in screen
// pixels. Events may queue up faster than they are handled: the cursor may be elsewhere by now, and the
// window may have moved since the event's client position was worked out.
struct PointerOnWindow {
  DragPoint corner;
  DragPoint pointer;
};

PointerOnWindow ReadPointer(HWND window) {
  const DWORD at = GetMessagePos();
  const POINT event{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  RECT r{};
  GetWindowRect(window, &r);
  return {{r.left, r.top}, {event.x - r.left, event.y - r.top}};
}

}  // namespace

std::optional<POINT> Form1Mouse::Form_MouseDown(int button) {
  HWND window = form_.hwnd();
  const PointerOnWindow at = ReadPointer(window);
  switch (drag_.Form_MouseDown(button, at.pointer)) {
    case WindowDrag::Action::kStartDrag:
      // Captured, a pointer that outruns the window still drives it.
      SetCapture(window);
      break;
    case WindowDrag::Action::kShowMenu:
      return POINT{at.corner.x + at.pointer.x, at.corner.y + at.pointer.y};
    case WindowDrag::Action::kNone:
      break;
  }
  return std::nullopt;
}

void Form1Mouse::Form_MouseMove() {
  HWND window = form_.hwnd();
  if (!window) return;
  const PointerOnWindow at = ReadPointer(window);
  if (const auto to = drag_.Form_MouseMove(at.corner, at.pointer); to && !(*to == at.corner)) {
    SetWindowPos(window, nullptr, to->x, to->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form1Mouse::Form_MouseUp() {
  // The release point is where the drag ends: moves merged in the queue or lost on the way must not leave
  // the clock short of it.
  Form_MouseMove();
  drag_.Form_MouseUp();
  if (form_.hwnd() && GetCapture() == form_.hwnd()) ReleaseCapture();
}

// The popup menu takes the capture, and a release then goes elsewhere: the drag ends here instead of
// sticking to a pointer whose button is up.
void Form1Mouse::OnCaptureLost() { drag_.Form_MouseUp(); }

std::optional<POINT> Form1Mouse::RescaleGrab(int fromDpi, int toDpi) {
  if (!drag_.Dragging()) return std::nullopt;
  drag_.Rescale(fromDpi, toDpi);
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return std::nullopt;
  const DragPoint grabbed = drag_.Grabbed();
  return POINT{pointer.x - grabbed.x, pointer.y - grabbed.y};
}

}  // namespace tkt
