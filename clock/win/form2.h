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

  // Loads the form (Form_Load runs) for the clock window `clockWindow`, whose object is `clock`. It deletes
  // itself when its window is destroyed.
  static Form2* Create(HWND clockWindow, ClockWindowLink& clock, MenuFormOptions options = {});

  HWND Window() const { return hwnd_; }
  HMENU Popup() const { return popup_; }  // mnuFILE
  WinsockSntpSocket& Socket() { return *socket_; }

  // Opens mnuFILE at a screen point and runs the command chosen there.
  void ShowPopupMenu(POINT screen);
  // Runs one command as its menu item does. Commands do not nest: the clock takes no input meanwhile.
  void Click(MenuCommand command);

 private:
  friend class tkt::Window<Form2>;
  static constexpr const wchar_t* kClassName = L"TocktideMenuForm";
  explicit Form2(HWND clockWindow) : clock_(clockWindow) {}
  static void DescribeClass(WNDCLASSEXW& wc);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  HWND ClockWindow() const { return IsWindow(clock_) ? clock_ : nullptr; }

  // MenuHost
  std::wstring CurrentDirectory() override;
  std::optional<std::wstring> Environment(const std::wstring& name) override;
  bool StartProgram(const std::wstring& path) override;
  void EndProcess() override;
  bool FileExists(const std::wstring& path) override;
  bool OpenDocument(const std::wstring& path) override;
  void ShowVersionWindow() override;
  void UnloadMenuForm() override;

  HWND clock_;
  HMENU popup_ = nullptr;
  bool busy_ = false;
  std::unique_ptr<WinMessageBoxes> ownBoxes_;
  std::unique_ptr<WinsockSntpSocket> socket_;
  std::unique_ptr<SntpCommand> sntp_;
  std::unique_ptr<MenuForm> form_;
};

}  // namespace tkt
