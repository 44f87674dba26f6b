// tkttool.exe: the splash, then the main designer window; F1 anywhere opens the help.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "designer/model/file_commands.h"
#include "designer/model/form.h"
#include "designer/model/texts.h"
#include "designer/win/artwork_win.h"
#include "designer/win/files_platform_win.h"
#include "designer/win/form1_win.h"
#include "designer/win/rgpmaker_win.h"
#include "designer/win/services_win.h"
#include "designer/win/splash_win.h"

using namespace designer;
using namespace designer::win;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  WinDialogs dialogs;
  WinMessages messages;
  WinFolders folders;
  WinPictures pictures;
  WinShell shell;
  WinZones zones;
  messages.SetAppTitle(text::kAppTitle);
  DesignerForm form(Services{&dialogs, &messages, &folders, &pictures, &shell, &zones});
  Artwork artwork(instance, pictures);

  Form1Window main(form, artwork);

  // The export, the import and the region file maker.
  WinFilesPlatform files;
  RgpMakerWindow maker(form, [&] {
    ShowWindow(main.hwnd(), SW_SHOW);
    main.Sync();
  });
  BindFileCommands(form, files, [&] {
    maker.Show();
    ShowWindow(main.hwnd(), SW_HIDE);
  });

  SplashWindow splash(artwork, [&] {
    if (HWND hwnd = main.Create()) {
      dialogs.SetOwner(hwnd);
      messages.SetOwner(hwnd);
      shell.SetOwner(hwnd);
    } else {
      PostQuitMessage(1);
    }
  });
  if (!splash.Show()) return 1;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1 && main.hwnd()) {
      form.OpenHelp();
      continue;
    }
    if (main.hwnd() && IsDialogMessageW(main.hwnd(), &msg)) continue;
    if (maker.hwnd() && IsDialogMessageW(maker.hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return int(msg.wParam);
}
