#include "clock/settings_watch.h"

#include <algorithm>

namespace tkt {

bool SettingsWatch::Look(const FileStamps& now, uint64_t timeNow) {
  if (now == handled_) {
    lastSeen_.reset();
    return false;
  }
  const bool stoodStill = lastSeen_ && *lastSeen_ == now;
  lastSeen_ = now;
  if (stoodStill) return true;
  uint64_t newest = 0;
  for (const FileStamp& s : now) newest = std::max(newest, s.writeTime);
  // A write time ahead of the clock (another machine's share) counts as young.
  return timeNow >= newest && timeNow - newest >= kSettleTime;
}

void SettingsWatch::Handled(FileStamps stamps) {
  handled_ = std::move(stamps);
  lastSeen_.reset();
}

bool SettingsWatch::Pending() const {
  return lastSeen_ || std::any_of(handled_.begin(), handled_.end(), [](const FileStamp& s) { return !s.exists; });
}

}  // namespace tkt
