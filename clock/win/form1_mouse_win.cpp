#include "form1_mouse_win.h"

#include "form1_win.h"
#include "window_pos_win.h"
#include "wincommon/text.h"

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

Form1Mouse::Form1Mouse(Form1Window& form, MenuFormOptions options) : form_(form), options_(std::move(options)) {}

Form1Mouse::~Form1Mouse() {
  if (form2_ && IsWindow(form2Window_)) form2_->ClockWindowGone();
}

void Form1Mouse::Form_MouseDown(int button, POINT) {
  HWND window = form_.hwnd();
  const PointerOnWindow at = ReadPointer(window);
  switch (drag_.Form_MouseDown(button, at.pointer)) {
    case WindowDrag::Action::kStartDrag:
      // Captured, a pointer that outruns the window still drives it.
      SetCapture(window);
      break;
    case WindowDrag::Action::kShowMenu:
      if (!MenuForm()) {
        form2_ = Form2::Create(*this, options_);
        form2Window_ = form2_ ? form2_->Window() : nullptr;
      }
      if (form2_) form2_->ShowPopupMenu(POINT{at.corner.x + at.pointer.x, at.corner.y + at.pointer.y});
      break;
    case WindowDrag::Action::kNone:
      break;
  }
}

void Form1Mouse::Form_MouseMove(POINT) {
  HWND window = form_.hwnd();
  if (!window) return;
  const PointerOnWindow at = ReadPointer(window);
  if (const auto to = drag_.Form_MouseMove(at.corner, at.pointer); to && !(*to == at.corner)) {
    SetWindowPos(window, nullptr, to->x, to->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form1Mouse::Form_MouseUp(int, POINT pt) {
  // The release point is where the drag ends: moves merged in the queue or lost on the way must not leave
  // the clock short of it.
  Form_MouseMove(pt);
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

HWND Form1Mouse::ClockWindow() const { return form_.hwnd(); }

void Form1Mouse::SetTzLabel(const std::wstring& caption) { form_.model().lblLabel2 = WideToAnsi(caption); }

bool Form1Mouse::SaveWindowPos(const std::wstring& app) {
  return ::tkt::SaveWindowPos(form_.hwnd(), form_.PositionApp(app)) == ERROR_SUCCESS;
}

void Form1Mouse::RestoreWindowPos(const std::wstring& app) { ::tkt::RestoreWindowPos(form_.hwnd(), form_.PositionApp(app)); }

void Form1Mouse::UnloadClockWindow() {
  if (form_.hwnd()) DestroyWindow(form_.hwnd());
}

}  // namespace tkt
