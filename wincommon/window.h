// How a window is made: a class derives from Window<Itself> and gets one registered window class, one
// window procedure that finds the object from the window, and dispatch to its HandleMessage.
//
//   class Splash : public tkt::Window<Splash> {
//     friend class tkt::Window<Splash>;
//     static constexpr const wchar_t* kClassName = L"TktSplash";
//     static void DescribeClass(WNDCLASSEXW& wc);             // optional: cursor, icon, background, style
//     LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);  // DefWindowProcW for what it leaves
//     void OnDpiChanged(int oldDpi, const RECT& suggested);   // optional: lay out again at dpi()
//   };
//
// dpi() is the scale the window is drawn at, kept current on WM_DPICHANGED; a window without OnDpiChanged
// just takes the rectangle the system suggests.
//
// The object outlives its window unless made by CreateOwned, whose window deletes it on WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <memory>
#include <new>
#include <utility>

#include "wincommon/dpi.h"
#include "wincommon/gdi.h"

namespace tkt {

// No C++ exception may leave a window procedure. One that reaches it ends the program with a message, as
// a run-time error ends a program that has no handler of its own.
[[noreturn]] inline void ExitOnUncaughtException(bool outOfMemory) noexcept {
  MessageBoxW(nullptr, outOfMemory ? L"メモリが不足しています。" : L"予期しないエラーが発生しました。",
              L"エラー発生", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
  ExitProcess(1);
}

template <class Derived>
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  int dpi() const { return dpi_; }
  // A length in 96-DPI pixels at this window's scale.
  int ScaleFromPixels96(int pixels96) const { return tkt::ScaleFromPixels96(pixels96, dpi_); }

 protected:
  Window() = default;
  // A window that outlived its object would call into freed memory.
  ~Window() { DestroyUnheard(); }

  // Creates this object's window; null on failure. The window is the object's from WM_NCCREATE on.
  HWND CreateWindowOf(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                      HWND parent, HMENU menu = nullptr) {
    if (!Register()) return nullptr;
    return CreateWindowExW(exStyle, Derived::kClassName, title, style, x, y, width, height, parent, menu,
                           GetModuleHandleW(nullptr), static_cast<Derived*>(this));
  }

  // Creates a window that owns `self` and deletes it on WM_NCDESTROY. When creation fails before the window
  // took the object (no WM_NCCREATE), the object is deleted here; either way the result is then null.
  static Derived* CreateOwned(std::unique_ptr<Derived> self, DWORD exStyle, const wchar_t* title, DWORD style,
                              int x, int y, int width, int height, HWND parent, HMENU menu = nullptr) {
    bool taken = false;
    Window& base = *self;
    base.ownedByWindow_ = true;
    base.taken_ = &taken;
    Derived* raw = self.get();
    const HWND made = base.CreateWindowOf(exStyle, title, style, x, y, width, height, parent, menu);
    if (!taken) return nullptr;  // `self` deletes it
    self.release();              // the window's now, and gone already when `made` is null
    return made ? raw : nullptr;
  }

  // WM_PAINT and WM_PRINTCLIENT through the one paint function, Derived::PaintContent(HDC, const RECT&): the
  // part to repaint for WM_PAINT, the whole client area for WM_PRINTCLIENT.
  LRESULT PaintThrough(UINT msg, WPARAM wp) {
    if (msg == WM_PRINTCLIENT) {
      RECT all{};
      GetClientRect(hwnd_, &all);
      static_cast<Derived*>(this)->PaintContent(reinterpret_cast<HDC>(wp), all);
    } else {
      PaintScope paint(hwnd_);
      static_cast<Derived*>(this)->PaintContent(paint.dc(), paint.rect());
    }
    return 0;
  }

  // Destroys the window without its messages reaching the object (no WM_DESTROY handling).
  void DestroyUnheard() {
    if (!hwnd_) return;
    HWND wnd = std::exchange(hwnd_, nullptr);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    DestroyWindow(wnd);
  }

  HWND hwnd_ = nullptr;

 private:
  // The class is registered by the first window made from it.
  static bool Register() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(wc.hInstance, Derived::kClassName, &wc)) return true;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = Derived::kClassName;
    if constexpr (requires { Derived::DescribeClass(wc); }) Derived::DescribeClass(wc);
    return RegisterClassExW(&wc) != 0;
  }

  static LRESULT CALLBACK Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Derived* self = nullptr;
    if (msg == WM_NCCREATE) {
      self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      Window& base = *self;
      base.hwnd_ = wnd;
      if (base.taken_) *std::exchange(base.taken_, nullptr) = true;
      SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      base.dpi_ = DpiOfWindow(wnd);
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(wnd, msg, wp, lp);
    LRESULT result = 0;
    try {
      if (msg == WM_DPICHANGED) return self->DpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      result = self->HandleMessage(msg, wp, lp);
    } catch (const std::bad_alloc&) {
      ExitOnUncaughtException(true);
    } catch (...) {
      ExitOnUncaughtException(false);
    }
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
      Window& base = *self;
      base.hwnd_ = nullptr;
      if (base.ownedByWindow_) delete self;
    }
    return result;
  }

  LRESULT DpiChanged(int newDpi, const RECT& suggested) {
    const int old = std::exchange(dpi_, newDpi > 0 ? newDpi : DpiOfWindow(hwnd_));
    if constexpr (requires(Derived& d) { d.OnDpiChanged(old, suggested); }) {
      static_cast<Derived*>(this)->OnDpiChanged(old, suggested);
    } else {
      SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
  }

  int dpi_ = kDesignDpi;
  bool ownedByWindow_ = false;
  bool* taken_ = nullptr;  // CreateOwned's note that WM_NCCREATE came
};

}  // namespace tkt
