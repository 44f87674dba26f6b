// tkt.exe [SETTINGS]: the desktop clock, one for each settings file.
#include <windows.h>

#include "form1_win.h"
#include "instance_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const auto file = tkt::ClockFileFromCommandLine();
  if (!file) {
    tkt::Form1Window::ShowStartupFailure();
    return 1;
  }
  tkt::SingleClock single;
  if (!single.Claim(*file)) return 0;  // the clock of this file runs already and reads it again
  tkt::Form1Window form;
  form.SetSettingsFile(file->path, file->identity.positionApp);
  if (!form.Create(instance)) return 1;
  tkt::TagClockWindow(form.hwnd(), *file);
  form.Show();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
