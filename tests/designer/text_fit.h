// Whether a control's text fits it in the control's own font, as it is drawn: a static wraps at its width and
// must fit its height; a button's text stays on one line beside what the button keeps for itself.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "harness.h"
#include "wincommon/dpi.h"
#include "wincommon/gdi.h"
#include "wincommon/handle.h"

namespace designer::testing {

inline ::testing::AssertionResult TextFits(HWND w, int dpi) {
  const std::wstring text = harness::WindowText(w);
  RECT client{};
  GetClientRect(w, &client);
  const bool wraps = harness::HasClass(w, L"STATIC");
  int room = client.right;
  if (!wraps)
    room -= tkt::ScaleFromPixels96((GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON ? 8 : 18, dpi);
  tkt::WindowDc dc(w);
  tkt::SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
  RECT need{0, 0, room, 0};
  DrawTextW(dc.get(), text.c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  if (need.right <= room && need.bottom <= client.bottom) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << harness::Narrow(text) << " needs " << need.right << "x" << need.bottom
                                       << ", has " << room << "x" << client.bottom << " at " << dpi << " DPI";
}

// The window moved from `from` to `to` DPI as WM_DPICHANGED tells it, with the rectangle the system would
// suggest. (Wine gives every monitor one DPI, so the message is sent here.)
inline void ChangeDpi(HWND w, int from, int to) {
  RECT r{};
  GetWindowRect(w, &r);
  RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, to, from),
                 r.top + MulDiv(r.bottom - r.top, to, from)};
  SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

}  // namespace designer::testing
