// The quiet cuckoo: while the user runs a full-screen program, presents or is in quiet hours, the doors
// still open but no call is played.
#pragma once

#include <optional>

#include "clock/form1_model.h"

namespace tkt {

// SHQueryUserNotificationState's QUERY_USER_NOTIFICATION_STATE values.
enum class NotificationState : int {
  NotPresent = 1,            // QUNS_NOT_PRESENT: screen saver, locked, fast user switching
  Busy = 2,                  // QUNS_BUSY: a full-screen program
  RunningD3DFullScreen = 3,  // QUNS_RUNNING_D3D_FULL_SCREEN
  PresentationMode = 4,      // QUNS_PRESENTATION_MODE
  AcceptsNotifications = 5,  // QUNS_ACCEPTS_NOTIFICATIONS
  QuietTime = 6,             // QUNS_QUIET_TIME
  App = 7,                   // QUNS_APP: a Windows Store app in front
};

class NotificationStateSource {
 public:
  virtual ~NotificationStateSource() = default;
  // Nothing when the platform cannot tell.
  virtual std::optional<NotificationState> Query() = 0;
};

bool IsQuietState(NotificationState state);

class QuietChime {
 public:
  // `quietHours`: the clock's own quiet span, in the time it shows.
  explicit QuietChime(NotificationStateSource& source,
                      std::optional<faceformat::QuietHours> quietHours = std::nullopt)
      : source_(source), quietHours_(quietHours) {}
  // Asked each time a call would sound; a state it cannot read counts as not quiet.
  bool SoundAllowed();
  // One step of the chime: the doors move as always; true when the call is to be played.
  bool Step(Form1Model& form) {
    const bool open = form.Timer2_Timer();
    if (quietHours_ && quietHours_->Contains(form.tickTime.hour, form.tickTime.minute)) return false;
    return open && SoundAllowed();
  }

 private:
  NotificationStateSource& source_;
  std::optional<faceformat::QuietHours> quietHours_;
};

}  // namespace tkt
