#include "form1_mouse.h"

namespace tkt {
namespace {

// The pointer relative to the window's top-left corner, and that corner, in screen pixels. Read from the
// cursor rather than the message: the window may have moved since the message was posted.
struct PointerOnWindow {
  DragPoint corner;
  DragPoint pointer;
};

PointerOnWindow ReadPointer(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  RECT r{};
  GetWindowRect(window, &r);
  return {{r.left, r.top}, {cursor.x - r.left, cursor.y - r.top}};
}

}  // namespace

Form1Mouse::Form1Mouse(ClockWindowLink& clock, MenuFormOptions options) : clock_(clock), options_(std::move(options)) {}

Form1Mouse::~Form1Mouse() {
  if (form2_ && IsWindow(form2Window_)) form2_->ClockWindowGone();
}

bool Form1Mouse::Handle(HWND window, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_LBUTTONDOWN:
      Form_MouseDown(window, kLeftButton);
      return true;
    case WM_RBUTTONDOWN:
      Form_MouseDown(window, kRightButton);
      return true;
    case WM_MBUTTONDOWN:
      Form_MouseDown(window, kMiddleButton);
      return true;
    case WM_MOUSEMOVE:
      Form_MouseMove(window);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
      Form_MouseUp(window);
      return true;
    case WM_CAPTURECHANGED:
      // The capture went elsewhere (the popup menu takes it): no release will reach us, so the drag ends here.
      drag_.Form_MouseUp();
      return false;
  }
  return false;
}

void Form1Mouse::Form_MouseDown(HWND window, int button) {
  const PointerOnWindow at = ReadPointer(window);
  switch (drag_.Form_MouseDown(button, at.pointer)) {
    case WindowDrag::Action::kStartDrag:
      // Captured, a fast pointer that leaves the face still moves the window.
      SetCapture(window);
      break;
    case WindowDrag::Action::kShowMenu: {
      if (!form2_ || !IsWindow(form2Window_)) {
        form2_ = Form2::Create(clock_, options_);
        form2Window_ = form2_ ? form2_->Window() : nullptr;
      }
      POINT screen{at.corner.x + at.pointer.x, at.corner.y + at.pointer.y};
      if (form2_) form2_->ShowPopupMenu(screen);
      break;
    }
    case WindowDrag::Action::kNone:
      break;
  }
}

void Form1Mouse::Form_MouseMove(HWND window) {
  const PointerOnWindow at = ReadPointer(window);
  if (const auto to = drag_.Form_MouseMove(at.corner, at.pointer); to && !(*to == at.corner)) {
    SetWindowPos(window, nullptr, to->x, to->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form1Mouse::Form_MouseUp(HWND window) {
  drag_.Form_MouseUp();
  if (GetCapture() == window) ReleaseCapture();
}

}  // namespace tkt
