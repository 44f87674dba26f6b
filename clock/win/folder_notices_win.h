// Change notices of the folders that hold a clock's files, asked without waiting on the tick: one call to
// the system a second instead of a look at every file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "wincommon/handle.h"

namespace tkt {

struct CloseChangeNotification {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  void operator()(HANDLE h) const { FindCloseChangeNotification(h); }
};
using ChangeNotification = UniqueAny<HANDLE, CloseChangeNotification>;

class FolderNotices {
 public:
  // Watches the folders of `paths` for names, sizes and write times changing.
  void Watch(const std::vector<std::wstring>& paths);
  // True when something may have changed in a watched folder since the last call; always true for a folder
  // that could not be watched.
  bool Changed();

 private:
  std::vector<std::wstring> folders_;
  std::vector<ChangeNotification> notices_;
  bool blind_ = true;
};

}  // namespace tkt
