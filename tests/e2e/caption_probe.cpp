// The hook half of caption_probe.h, run in the program under test.
#include "caption_probe.h"

#include <string>

#include "wincommon/gdi.h"
#include "wincommon/handle.h"

namespace {

using namespace caption_probe;

void Measure(HWND control, UINT format, int wrapWidth) {
  std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  tkt::WindowDc dc(control);
  tkt::SelectGuard selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  RECT need{0, 0, wrapWidth, 0};
  DrawTextW(dc.get(), text.c_str(), int(text.size()), &need, format | DT_CALCRECT);
  const auto packed = (uintptr_t(need.right - need.left) & 0xFFFF) | (uintptr_t(need.bottom - need.top) & 0xFFFF) << 16;
  SetPropW(control, kNeedProperty, reinterpret_cast<HANDLE>(packed));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK CaptionProbeHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (call->message == RegisterWindowMessageW(kMeasureMessage)) {
      Measure(call->hwnd, UINT(call->wParam), int(call->lParam));
    } else if (call->message == RegisterWindowMessageW(kForgetMessage)) {
      RemovePropW(call->hwnd, kNeedProperty);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}
