#include "clock_setter_win.h"

#include <windows.h>

#include "wincommon/handle.h"

namespace tkt {

bool EnableSystemTimePrivilege() {
  KernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &privileges.Privileges[0].Luid)) return false;
  // Succeeds even when nothing was granted; only the last error tells.
  if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
  return GetLastError() == ERROR_SUCCESS;
}

ClockSetResult SetSystemClockUtc(const UtcDateTime& when) {
  const bool privileged = EnableSystemTimePrivilege();
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(when.year);
  st.wMonth = static_cast<WORD>(when.month);
  st.wDayOfWeek = static_cast<WORD>(when.dayOfWeek);
  st.wDay = static_cast<WORD>(when.day);
  st.wHour = static_cast<WORD>(when.hour);
  st.wMinute = static_cast<WORD>(when.minute);
  st.wSecond = static_cast<WORD>(when.second);
  st.wMilliseconds = static_cast<WORD>(when.millisecond);
  if (SetSystemTime(&st)) return ClockSetResult::kSet;
  const DWORD error = GetLastError();
  if (!privileged || error == ERROR_PRIVILEGE_NOT_HELD || error == ERROR_ACCESS_DENIED) {
    return ClockSetResult::kNoPrivilege;
  }
  return ClockSetResult::kFailed;
}

}  // namespace tkt
