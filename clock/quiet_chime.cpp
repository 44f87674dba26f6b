#include "clock/quiet_chime.h"

namespace tkt {

bool IsQuietState(NotificationState state) {
  switch (state) {
    case NotificationState::Busy:
    case NotificationState::RunningD3DFullScreen:
    case NotificationState::PresentationMode:
    case NotificationState::QuietTime:
      return true;
    default:
      return false;
  }
}

bool QuietChime::SoundAllowed() {
  const std::optional<NotificationState> state = source_.Query();
  return !state || !IsQuietState(*state);
}

}  // namespace tkt
