// Drives modal UI (the palette popup, the colour dialog) from a second thread while the test's
// thread sits in the modal loop. Waits poll with a deadline.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace pctest {

// A visible top-level window of `thread` with the class name, or nullptr after the deadline.
HWND WaitForThreadWindow(DWORD thread, const wchar_t* className, DWORD timeoutMs = 5000);
void PostKey(HWND wnd, UINT vk);
void PostEnter(HWND wnd);  // as the keyboard's Enter reaches a menu

class UiDriver {
 public:
  // Runs `script` on its own thread; the constructor's caller is the UI thread.
  explicit UiDriver(std::function<void(DWORD uiThread)> script);
  ~UiDriver();
  UiDriver(const UiDriver&) = delete;
  UiDriver& operator=(const UiDriver&) = delete;

 private:
  std::thread thread_;
};

}  // namespace pctest
