// caption_probe.dll: measures a control's caption inside the program that owns the control, in the control's
// own font. A font handle means nothing in another program (WM_GETFONT sent from outside even answers 0
// under Wine), so tktdrive hooks the control's thread with this library and asks through a message.
//
// tktdrive sends kMeasureMessage to the control with the DrawText flags in wParam and the width to wrap at
// in lParam; the hook measures before the control sees the message and leaves the size in the control's
// kNeedProperty (width in the low 16 bits, height in the next), which tktdrive reads and then has removed
// with kForgetMessage.
#pragma once

#include <windows.h>

namespace caption_probe {

inline constexpr const wchar_t* kMeasureMessage = L"TktDriveMeasureCaption";
inline constexpr const wchar_t* kForgetMessage = L"TktDriveForgetCaption";
inline constexpr const wchar_t* kNeedProperty = L"TktDriveCaptionNeed";
inline constexpr const char* kHookName = "CaptionProbeHook";  // a WH_CALLWNDPROC hook procedure

}  // namespace caption_probe
