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

void SettingsWatch::Handled(FileStamps stamps, size_t required) {
  handled_ = std::move(stamps);
  required_ = required;
  lastSeen_.reset();
}

bool SettingsWatch::Pending() const {
  const auto end = handled_.begin() + std::ptrdiff_t(std::min(required_, handled_.size()));
  return lastSeen_ || std::any_of(handled_.begin(), end, [](const FileStamp& s) { return !s.exists; });
}

}  // namespace tkt
