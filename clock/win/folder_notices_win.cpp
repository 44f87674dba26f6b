#include "folder_notices_win.h"

#include <algorithm>

#include "clock/instance.h"

namespace tkt {

namespace {

std::wstring Upper(std::wstring s) {
  if (!s.empty()) CharUpperBuffW(s.data(), DWORD(s.size()));
  return s;
}

}  // namespace

void FolderNotices::Watch(const std::vector<std::wstring>& paths) {
  std::vector<std::wstring> folders;
  for (const std::wstring& path : paths) {
    const std::wstring folder = Upper(FolderOf(path));
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
  }
  if (folders == folders_ && !blind_) return;
  folders_ = std::move(folders);
  notices_.clear();
  blind_ = false;
  for (const std::wstring& folder : folders_) {
    ChangeNotification notice(FindFirstChangeNotificationW(
        folder.c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    if (notice) notices_.push_back(std::move(notice));
    else blind_ = true;
  }
}

bool FolderNotices::Changed() {
  bool changed = blind_;
  std::vector<HANDLE> handles;
  for (const ChangeNotification& n : notices_) handles.push_back(n.get());
  while (!handles.empty()) {
    const DWORD w = WaitForMultipleObjects(DWORD(handles.size()), handles.data(), FALSE, 0);
    if (w >= WAIT_OBJECT_0 + handles.size()) break;
    FindNextChangeNotification(handles[w - WAIT_OBJECT_0]);
    handles.erase(handles.begin() + (w - WAIT_OBJECT_0));
    changed = true;
  }
  return changed;
}

}  // namespace tkt
