// Following the settings file: which files to read again, and when. The clock looks at the stamps of its
// settings file and of the picture and region files that file names once a second, on its tick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tkt {

struct FileStamp {
  bool exists = false;
  uint64_t writeTime = 0;  // 100 ns units, as the file system keeps it
  uint64_t size = 0;
  bool operator==(const FileStamp&) const = default;
};
using FileStamps = std::vector<FileStamp>;

class SettingsWatch {
 public:
  // A change younger than this may still be being written: it waits for the next look, unless the stamps
  // stood still since the last one.
  static constexpr uint64_t kSettleTime = 3'000'000;  // 300 ms

  // `shown`: the stamps of the files the clock shows now. Only the first `required` are looked for while
  // missing; the rest (an options file) are usually not there, and their folder is a required file's.
  explicit SettingsWatch(FileStamps shown = {}, size_t required = SIZE_MAX)
      : handled_(std::move(shown)), required_(required) {}

  // One look, with the stamps now and the time now (same units as writeTime). True when the files are to be
  // read again; the caller then reports Handled with these stamps, whether the reading worked or not.
  bool Look(const FileStamps& now, uint64_t timeNow);
  // What was read (and shown or refused) had these stamps: not read again until they change.
  void Handled(FileStamps stamps, size_t required = SIZE_MAX);
  // Whether the next look is needed even when nothing says a file changed: a change waits to settle, or
  // a file is missing (its folder may be gone and come back unheard).
  bool Pending() const;

 private:
  FileStamps handled_;
  size_t required_;
  std::optional<FileStamps> lastSeen_;
};

}  // namespace tkt
