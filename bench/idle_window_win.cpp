// The yardsticks for the clock's idle cost: a plain window with a one-second timer that does nothing, or,
// given "paint", one that also puts a second hand's worth of pixels (a 70 x 70 square from a memory
// bitmap) on the screen each second, the least any clock with a second hand must do.
#include <windows.h>

#include <cwchar>

namespace {

bool g_paint = false;
HDC g_memory = nullptr;
int g_step = 0;

LRESULT CALLBACK IdleProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_TIMER && g_paint) {
    g_step = (g_step + 1) % 2;
    HDC dc = GetDC(w);
    BitBlt(dc, 20 + 40 * g_step, 20, 70, 70, g_memory, 0, 0, g_step ? SRCCOPY : NOTSRCCOPY);
    ReleaseDC(w, dc);
    return 0;
  }
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(w, m, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int) {
  g_paint = args && std::wcsstr(args, L"paint");
  WNDCLASSW wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = IdleProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"IdleWindow";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"IdleWindow", g_paint ? L"idle paint" : L"idle", WS_POPUP | WS_VISIBLE,
                             g_paint ? 200 : 0, 0, 180, 180, nullptr, nullptr, instance, nullptr);
  HDC screen = GetDC(nullptr);
  g_memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 70, 70);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(g_memory, bitmap);
  PatBlt(g_memory, 0, 0, 70, 70, WHITENESS);
  SetTimer(wnd, 1, 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  SelectObject(g_memory, old);
  DeleteObject(bitmap);
  DeleteDC(g_memory);
  return 0;
}
