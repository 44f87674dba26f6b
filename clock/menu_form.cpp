#include "menu_form.h"

#include "menu_texts.h"

namespace tkt {

void MenuForm::Form_Load() { clock_.SetTzLabel(L"TZ=" + host_.Environment(L"TZ").value_or(L"")); }

void MenuForm::Form_Unload() { sntp_.Close(); }

void MenuForm::Click(MenuCommand command) {
  switch (command) {
    case MenuCommand::mnutool: return mnutool_Click();
    case MenuCommand::mnuaddsave: return mnuaddsave_Click();
    case MenuCommand::mnuaddload: return mnuaddload_Click();
    case MenuCommand::mnusntp: return sntp_.mnusntp_Click();
    case MenuCommand::mnuHelp: return mnuHelp_Click();
    case MenuCommand::mnuHelpVersion: return mnuHelpVersion_Click();
    case MenuCommand::mnuExit: return mnuExit_Click();
  }
}

std::wstring MenuForm::HelpPath(const std::wstring& currentDirectory) {
  std::wstring path = currentDirectory;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return path + kHelpRelativePath;
}

void MenuForm::mnutool_Click() {
  // The clock only ends once the designer is really on its way; otherwise the user would be left with neither.
  if (!host_.StartProgram(kToolPath)) {
    boxes_.Show(kToolStartFailedText, kApplicationTitle, kMbOk | kMbIconExclamation);
    return;
  }
  host_.EndProcess();
}

void MenuForm::mnuaddsave_Click() {
  if (!clock_.SaveWindowPos(kPositionApp)) boxes_.Show(kSaveFailedText, kApplicationTitle, kMbOk | kMbIconExclamation);
}

void MenuForm::mnuaddload_Click() { clock_.RestoreWindowPos(kPositionApp); }

void MenuForm::mnuHelp_Click() {
  const std::wstring path = HelpPath(host_.CurrentDirectory());
  if (!host_.FileExists(path)) {
    boxes_.Show(kHelpMissingText + (L"\r" + path), kApplicationTitle, kMbOk | kMbIconExclamation);
    return;
  }
  if (!host_.OpenDocument(path)) boxes_.Show(kHelpOpenFailedText + (L"\r" + path), kApplicationTitle, kMbOk | kMbIconExclamation);
}

void MenuForm::mnuHelpVersion_Click() { host_.ShowVersionWindow(); }

void MenuForm::mnuExit_Click() {
  clock_.UnloadClockWindow();
  host_.UnloadMenuForm();  // its Form_Unload closes the socket
}

}  // namespace tkt
