#include "quiet_chime_win.h"

namespace tkt {

ShellNotificationState::ShellNotificationState()
    : shell_(LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
  if (!shell_) return;
  // Through void(*)(): GetProcAddress's type says nothing of the function's own.
  query_ = reinterpret_cast<QueryFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(shell_.get(), "SHQueryUserNotificationState")));
}

std::optional<NotificationState> ShellNotificationState::Query() {
  int state = 0;
  if (!query_ || FAILED(query_(&state))) return std::nullopt;
  if (state < int(NotificationState::NotPresent) || state > int(NotificationState::App)) return std::nullopt;
  return NotificationState(state);
}

}  // namespace tkt
