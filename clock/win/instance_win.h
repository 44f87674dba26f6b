// One clock per settings file: which file this start is for, and whether a clock already runs for it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "clock/instance.h"
#include "wincommon/handle.h"

namespace tkt {

struct ClockFile {
  std::wstring path;  // the settings file, full path
  ClockIdentity identity;
};

// The file named by the command line's first argument, or the working folder's tkt.ini without one. Nothing
// when an argument names no file that can be opened (missing, or a folder).
std::optional<ClockFile> ClockFileFromCommandLine();

// The message a second start sends to the running clock of the same file: read the settings again.
UINT ReadSettingsMessage();
// Marks `clock` as the clock of `file`, for a second start to find.
void TagClockWindow(HWND clock, const ClockFile& file);

class SingleClock {
 public:
  // True when this process is to run the clock of `file`. False when another clock of the same file took
  // over the start (or never came up within the deadline): this process then ends without a window.
  bool Claim(const ClockFile& file, DWORD deadlineMs = 15000);

 private:
  KernelHandle mutex_;  // held until the process ends
};

}  // namespace tkt
