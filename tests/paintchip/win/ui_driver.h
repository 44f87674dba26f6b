// Drives modal UI (the palette popup, the colour dialog, the property frame) from a second thread while
// the test's thread sits in the modal loop. Waits poll with a deadline.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

namespace pctest {

// A visible top-level window of `thread` with the class name, or nullptr after the deadline.
inline HWND WaitForThreadWindow(DWORD thread, const wchar_t* className, DWORD timeoutMs = 5000) {
  struct Search {
    const wchar_t* className;
    HWND found;
  };
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  do {
    Search s{className, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND wnd, LPARAM lp) CALLBACK -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          wchar_t cls[64] = {};
          GetClassNameW(wnd, cls, 64);
          if (!IsWindowVisible(wnd) || lstrcmpiW(cls, s->className) != 0) return TRUE;
          s->found = wnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    Sleep(10);
  } while (GetTickCount64() < deadline);
  return nullptr;
}

inline void PostKey(HWND wnd, UINT vk) {
  PostMessageW(wnd, WM_KEYDOWN, vk, 1);
  PostMessageW(wnd, WM_KEYUP, vk, 0xC0000001);
}

inline void PostEnter(HWND wnd) { PostMessageW(wnd, WM_CHAR, L'\r', 1); }  // as the keyboard's Enter reaches a menu

// Runs `script` on its own thread, given the constructing (UI) thread's id; joins on destruction.
class UiDriver {
 public:
  explicit UiDriver(std::function<void(DWORD uiThread)> script)
      : thread_([script = std::move(script), ui = GetCurrentThreadId()] { script(ui); }) {}
  ~UiDriver() { thread_.join(); }
  UiDriver(const UiDriver&) = delete;
  UiDriver& operator=(const UiDriver&) = delete;

 private:
  std::thread thread_;
};

}  // namespace pctest
