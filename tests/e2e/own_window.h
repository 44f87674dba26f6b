// A window of tktdrive's own, for cases about what the programs under test do to the window in front. It
// lives on a thread of its own that answers its messages while the script waits.
#pragma once

#include <windows.h>

#include <future>
#include <thread>

namespace tktdrive {

class OwnWindow {
 public:
  // A small framed window, in front.
  OwnWindow() {
    std::future<HWND> made = made_.get_future();
    thread_ = std::thread([this] { Run(made_); });
    window_ = made.get();
  }
  ~OwnWindow() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  OwnWindow(const OwnWindow&) = delete;
  OwnWindow& operator=(const OwnWindow&) = delete;

  HWND get() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(w, msg, wp, lp);
  }

  static void Run(std::promise<HWND>& made) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"TktDriveOwn";
    RegisterClassW(&wc);  // fails harmlessly for the second window
    const HWND w = CreateWindowExW(0, wc.lpszClassName, L"tktdrive", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                                   200, nullptr, nullptr, wc.hInstance, nullptr);
    if (w) SetForegroundWindow(w);
    made.set_value(w);
    if (!w) return;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  }

  std::promise<HWND> made_;  // the thread's, until it has said which window it made
  HWND window_ = nullptr;
  std::thread thread_;
};

}  // namespace tktdrive
