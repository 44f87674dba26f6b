// tkt.exe: the desktop clock.
#include <windows.h>

#include "form1_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  tkt::Form1Window form;
  if (!form.Create(instance)) return 1;
  form.Show();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
