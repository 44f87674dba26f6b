// The yardstick for the clock's idle cost: a plain window with a one-second timer that does nothing.
#include <windows.h>

static LRESULT CALLBACK IdleProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(w, m, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = IdleProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"IdleWindow";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"IdleWindow", L"idle", WS_POPUP | WS_VISIBLE, 0, 0, 180, 180, nullptr,
                             nullptr, instance, nullptr);
  SetTimer(wnd, 1, 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
