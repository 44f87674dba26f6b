// The options file: the clock's own zone, its chime hours, its name as a tooltip and a face that can be
// seen through. None of it costs anything while the pointer is away: the fade follows WM_MOUSEMOVE and
// WM_MOUSELEAVE, and the tooltip keeps its timers to itself while it is shown.
#include "form1_win.h"

#include <commctrl.h>

#include <algorithm>

#include "base/utf8.h"

namespace tkt {

namespace {

// The options' texts were checked when read.
std::wstring Wide(const std::string& utf8) { return DecodeUtf8(utf8).value_or(std::wstring()); }

BYTE AlphaOf(int percent) { return BYTE((percent * 255 + 50) / 100); }

// The common controls are loaded only by a clock that shows a tooltip: a plain clock stays as small as it was.
bool LoadTooltipClass() {
  static const bool loaded = [] {
    const HMODULE controls = LoadLibraryW(L"comctl32.dll");
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = controls ? reinterpret_cast<InitFn>(
                                     reinterpret_cast<void*>(GetProcAddress(controls, "InitCommonControlsEx")))
                               : nullptr;
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    return init && init(&classes);
  }();
  return loaded;
}

}  // namespace

void Form1Window::ApplyOptions(const faceformat::ClockOptions& options) {
  options_ = options;
  zoneClock_ = worldtime::ZoneClock(Wide(options_.timeZone));
  model_.chimeHours = options_.chime;
  UpdateAlpha();

  const bool wantTip = !options_.name.empty() || zoneClock_.OwnZone();
  if (wantTip && !tip_ && LoadTooltipClass()) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                           0, 0, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    if (tip_) {
      SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
      SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);  // lets the name and the time take a line each
    }
  } else if (!wantTip && tip_) {
    DestroyWindow(tip_);
    tip_ = nullptr;
    tipShown_ = false;
  }
  UpdateTip();
}

// Everything is read again: the PC's zone, and the rules of the clock's own, which an update of Windows may
// have changed or brought.
void Form1Window::OnZoneDataChanged() { zoneClock_ = worldtime::ZoneClock(Wide(options_.timeZone)); }

// A layered window keeps its region; it is layered only while it is to be seen through, so a clock without
// these options is drawn exactly as before.
void Form1Window::UpdateAlpha() {
  const bool layered = options_.opacity < faceformat::kMaxOpacity || options_.fadeOnHover;
  const LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  if (!layered) {
    if (ex & WS_EX_LAYERED) {
      SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return;
  }
  if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  const int percent = pointerOver_ && options_.fadeOnHover ? std::min(faceformat::kFadeOpacity, options_.opacity)
                                                           : options_.opacity;
  SetLayeredWindowAttributes(hwnd_, 0, AlphaOf(percent), LWA_ALPHA);
}

// The first move over the face fades it and asks to hear when the pointer leaves; no timer of ours runs.
void Form1Window::OnMouseOver() {
  if (!options_.fadeOnHover || pointerOver_) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
  if (!TrackMouseEvent(&track)) return;
  pointerOver_ = true;
  UpdateAlpha();
}

void Form1Window::OnMouseLeave() {
  if (!pointerOver_) return;
  pointerOver_ = false;
  UpdateAlpha();
}

// The clock's name (or its zone's) over the date and time it shows: over there it may be another day.
std::wstring Form1Window::TipText() {
  std::wstring title = Wide(options_.name);
  if (title.empty()) title = worldtime::ZoneDisplayName(Wide(options_.timeZone));
  const ClockTime& t = model_.tickTime;
  static constexpr const wchar_t* kDays[] = {L"日", L"月", L"火", L"水", L"木", L"金", L"土"};
  wchar_t when[64];
  swprintf(when, std::size(when), L"%d/%02d/%02d(%ls) %02d:%02d", t.year, t.month, t.day,
           kDays[worldtime::DayOfWeek(t.year, t.month, t.day)], t.hour, t.minute);
  return title.empty() ? std::wstring(when) : title + L"\r\n" + when;
}

void Form1Window::OnTipNotify(LPARAM notice) {
  const auto* hdr = reinterpret_cast<const NMHDR*>(notice);
  if (hdr->code == TTN_GETDISPINFOW) {
    tipText_ = TipText();  // the tooltip copies it before it asks again
    reinterpret_cast<NMTTDISPINFOW*>(notice)->lpszText = tipText_.data();
  }
  if (hdr->code == TTN_SHOW) tipShown_ = true;
  if (hdr->code == TTN_POP) tipShown_ = false;
}

void Form1Window::UpdateTip() {
  if (tip_) SendMessageW(tip_, TTM_UPDATE, 0, 0);
}

}  // namespace tkt
