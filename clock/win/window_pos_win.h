// The stored window position (module Module1): HKCU\Software\VB and VBA Program Settings\<app>\WindowPos,
// values "Left", "Top", "Width", "Height" as REG_SZ twips, where the earlier clock kept them.
#pragma once

#include <windows.h>

#include <string>

namespace tkt {

// Twips per pixel of the screen, rounded to an integer (15 at 96 dpi).
int ScreenTwipsPerPixel();

// Writes Top, Left, Width and Height of `clock`. Returns the registry's error code (ERROR_SUCCESS when stored).
LONG SaveWindowPos(HWND clock, const std::wstring& app);

// Puts back each stored value that reads as a number; missing or unusable values leave their property as
// it is. A size is unusable when it is not positive or would cut away part of the window's region. A face
// that would then show on no monitor is moved fully onto the nearest one.
void RestoreWindowPos(HWND clock, const std::wstring& app);

// A face that shows on no monitor's work area is moved fully onto the nearest one; otherwise nothing moves.
void PullBackOntoScreen(HWND clock);

std::wstring WindowPosKey(const std::wstring& app);

}  // namespace tkt
