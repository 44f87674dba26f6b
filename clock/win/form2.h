// Form2, the menu form: a window never shown that owns the popup menu mnuFILE and the SNTP socket, and carries
// out the menu's commands.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "menu_form.h"
#include "sntp_exchange.h"
#include "sntp_socket_win.h"
#include "wincommon/window.h"

namespace tkt {

// What the menu form asks of the clock window.
class ClockWindowLink {
 public:
  virtual ~ClockWindowLink() = default;
  virtual HWND ClockWindow() const = 0;
  virtual void SetTzLabel(const std::wstring& caption) = 0;  // lblLabel(2)
  virtual bool SaveWindowPos(const std::wstring& app) = 0;
  virtual void RestoreWindowPos(const std::wstring& app) = 0;
  virtual void UnloadClockWindow() = 0;  // destroys the clock window; the link is gone afterwards
};

struct MenuFormOptions {
  SntpServer server{"ntp.nict.jp", 123, 1024};
  ClockSetter setClock;            // empty: the computer's clock
  MessageService* boxes = nullptr;   // null: the platform's message boxes
  MonotonicMicros now;             // empty: the performance counter
};

// The platform's message boxes, owned by a window.
class WinMessageBoxes : public MessageService {
 public:
  explicit WinMessageBoxes(HWND owner) : owner_(owner) {}
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override;

 private:
  HWND owner_;
};

class Form2 : public Window<Form2>, private MenuHost {
 public:
  static constexpr UINT kSocketMessage = WM_APP + 1;
  static constexpr UINT kExitMessage = WM_APP + 2;
  static constexpr UINT kFirstCommandId = 100;

  // Loads the form (Form_Load runs). It deletes itself when its window is destroyed.
  static Form2* Create(ClockWindowLink& clock, MenuFormOptions options = {});

  HWND Window() const { return hwnd_; }
  HMENU Popup() const { return popup_; }  // mnuFILE
  SntpCommand& Sntp() { return *sntp_; }
  WinsockSntpSocket& Socket() { return *socket_; }

  // Opens mnuFILE at a screen point and runs the command chosen there.
  void ShowPopupMenu(POINT screen);
  // Runs one command as its menu item does. Commands do not nest: the clock takes no input meanwhile.
  void Click(MenuCommand command);
  // The clock window is going away by other means: forget it.
  void ClockWindowGone() { clock_ = nullptr; }

 private:
  friend class tkt::Window<Form2>;
  static constexpr const wchar_t* kClassName = L"TocktideMenuForm";
  explicit Form2(ClockWindowLink& clock) : clock_(&clock) {}
  static void DescribeClass(WNDCLASSEXW& wc);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // MenuHost
  std::wstring CurrentDirectory() override;
  std::optional<std::wstring> Environment(const std::wstring& name) override;
  void SetTzLabel(const std::wstring& caption) override;
  bool StartProgram(const std::wstring& path) override;
  void EndProcess() override;
  bool SaveWindowPos(const std::wstring& app) override;
  void RestoreWindowPos(const std::wstring& app) override;
  bool FileExists(const std::wstring& path) override;
  bool OpenDocument(const std::wstring& path) override;
  void ShowVersionWindow() override;
  void UnloadClockWindow() override;
  void UnloadMenuForm() override;

  ClockWindowLink* clock_;
  HMENU popup_ = nullptr;
  bool busy_ = false;
  std::unique_ptr<WinMessageBoxes> ownBoxes_;
  std::unique_ptr<WinsockSntpSocket> socket_;
  std::unique_ptr<SntpCommand> sntp_;
  std::unique_ptr<MenuForm> form_;
};

}  // namespace tkt
