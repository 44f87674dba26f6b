// The quiet states as the shell tells them: SHQueryUserNotificationState, looked up at run time, so the
// clock still starts where shell32 has no such function.
#pragma once

#include <windows.h>

#include "clock/quiet_chime.h"
#include "wincommon/handle.h"

namespace tkt {

struct FreeModuleHandle {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using ModuleHandle = UniqueAny<HMODULE, FreeModuleHandle>;

class ShellNotificationState : public NotificationStateSource {
 public:
  ShellNotificationState();
  std::optional<NotificationState> Query() override;
  bool available() const { return query_ != nullptr; }

 private:
  using QueryFunction = HRESULT(WINAPI*)(int*);  // QUERY_USER_NOTIFICATION_STATE*
  ModuleHandle shell_;
  QueryFunction query_ = nullptr;
};

}  // namespace tkt
