#include "ui_driver.h"

namespace pctest {
namespace {

struct Search {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND wnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  if (IsWindowVisible(wnd) && lstrcmpiW(cls, s->className) == 0) {
    s->found = wnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND WaitForThreadWindow(DWORD thread, const wchar_t* className, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  do {
    Search s{className, nullptr};
    EnumThreadWindows(thread, &MatchWindow, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    Sleep(10);
  } while (GetTickCount64() < deadline);
  return nullptr;
}

void PostKey(HWND wnd, UINT vk) {
  PostMessageW(wnd, WM_KEYDOWN, vk, 1);
  PostMessageW(wnd, WM_KEYUP, vk, 0xC0000001);
}

void PostEnter(HWND wnd) { PostMessageW(wnd, WM_CHAR, L'\r', 1); }

UiDriver::UiDriver(std::function<void(DWORD uiThread)> script)
    : thread_([script = std::move(script), ui = GetCurrentThreadId()] { script(ui); }) {}

UiDriver::~UiDriver() { thread_.join(); }

}  // namespace pctest
