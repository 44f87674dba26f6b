// Message box styles and answers as the platform numbers them, for the portable models of both programs.
// The Windows side checks each against windows.h (wincommon/platform_numbers_check.h).
#pragma once

namespace tkt {

inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbTypeMask = 0xF;  // the buttons
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbDefButton2 = 0x100;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

}  // namespace tkt
