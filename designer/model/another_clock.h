// The options page's commands on files: the same face saved as another clock under a name of the user's,
// and a clock's shortcut in the Startup folder.
#pragma once

#include <string>

#include "designer/model/form.h"
#include "designer/model/services.h"

namespace designer {

inline constexpr wchar_t kNoSuchClock[] = L"この名前の時計はまだありません。先に「時計を作る」を押して下さい。";
inline constexpr size_t kMaxPath = 260;

std::wstring AnotherExistsQuestion(const std::wstring& name);
std::wstring AnotherDoneText(const std::wstring& settingsPath);

// program\<name>.ini and <name>-options.ini from the page's name, face and options; then the desktop shortcut.
void another_Click(DesignerForm& form, FilesPlatform& platform);

// The Startup shortcut of the clock named in anotherName (tkt.ini when it is empty) in startupCheck: set
// when the shortcut is there. Silent: it only shows the state.
void RefreshStartupCheck(DesignerForm& form, FilesPlatform& platform);
// After the user's click: puts the shortcut in or takes it out; on a failure the check goes back.
void startupCheck_Click(DesignerForm& form, FilesPlatform& platform);

}  // namespace designer
