// The menu form: the clock's popup menu and what each of its commands decides.
// What a command does to the system goes through MenuHost, so the decisions run without windows.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "sntp_exchange.h"

namespace tkt {

enum class MenuCommand { mnutool, mnuaddsave, mnuaddload, mnusntp, mnuHelp, mnuHelpVersion, mnuExit };

struct MenuItem {
  MenuCommand command;
  const char* name;
  const wchar_t* caption;
};

// In menu order, no separators.
inline constexpr std::array<MenuItem, 7> kMenuItems{{
    {MenuCommand::mnutool, "mnutool", L"TKTﾂｰﾙ 起動"},
    {MenuCommand::mnuaddsave, "mnuaddsave", L"現在位置記録"},
    {MenuCommand::mnuaddload, "mnuaddload", L"記録位置呼出"},
    {MenuCommand::mnusntp, "mnusntp", L"SNTP時刻合わせ"},
    {MenuCommand::mnuHelp, "mnuHelp", L"ヘルプ"},
    {MenuCommand::mnuHelpVersion, "mnuHelpVersion", L"ﾊﾞｰｼﾞｮﾝ情報"},
    {MenuCommand::mnuExit, "mnuExit", L"終了"},
}};

inline constexpr wchar_t kToolPath[] = L"..\\tkttool.exe";
inline constexpr wchar_t kHelpRelativePath[] = L"help\\clock.html";
inline constexpr wchar_t kPositionApp[] = L"Clock";

// What the menu form asks of the clock window.
class ClockWindowLink {
 public:
  virtual ~ClockWindowLink() = default;
  virtual void SetTzLabel(const std::wstring& caption) = 0;  // lblLabel(2)
  virtual bool SaveWindowPos(const std::wstring& app) = 0;
  virtual void RestoreWindowPos(const std::wstring& app) = 0;
  virtual void UnloadClockWindow() = 0;  // destroys the clock window; the link is gone afterwards
};

class MenuHost {
 public:
  virtual ~MenuHost() = default;
  virtual std::wstring CurrentDirectory() = 0;
  virtual std::optional<std::wstring> Environment(const std::wstring& name) = 0;
  // A normal, activated window with this process's current directory; false when it cannot start.
  virtual bool StartProgram(const std::wstring& path) = 0;
  virtual void EndProcess() = 0;  // at once, no unload handlers
  virtual bool FileExists(const std::wstring& path) = 0;
  virtual bool OpenDocument(const std::wstring& path) = 0;  // with the program registered for it
  virtual void ShowVersionWindow() = 0;                      // modal; returns when it closes
  virtual void UnloadMenuForm() = 0;
};

class MenuForm {
 public:
  MenuForm(MenuHost& host, ClockWindowLink& clock, MessageService& boxes, SntpCommand& sntp)
      : host_(host), clock_(clock), boxes_(boxes), sntp_(sntp) {}

  void Form_Load();
  void Form_Unload();
  void Click(MenuCommand command);

  static std::wstring HelpPath(const std::wstring& currentDirectory);

 private:
  void mnutool_Click();
  void mnuaddsave_Click();
  void mnuaddload_Click();
  void mnuHelp_Click();
  void mnuHelpVersion_Click();
  void mnuExit_Click();

  MenuHost& host_;
  ClockWindowLink& clock_;
  MessageService& boxes_;
  SntpCommand& sntp_;
};

}  // namespace tkt
