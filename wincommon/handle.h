// How a handle is owned: one template for every kind, told apart by what frees it. Each owner frees its
// handle once; copying is deleted, moving hands the handle over.
#pragma once

#include <windows.h>

#include <utility>

namespace tkt {

// `Free` is a function object that frees a handle; it may name the empty value as `Free::Empty()`
// (INVALID_HANDLE_VALUE for files), which is null otherwise.
template <class H, class Free>
class UniqueAny {
 public:
  static H Empty() {
    if constexpr (requires { Free::Empty(); }) return Free::Empty();
    else return H{};
  }

  UniqueAny() = default;
  explicit UniqueAny(H handle) : handle_(handle) {}
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  ~UniqueAny() { reset(); }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty(); }
  // For handing the handle to an owner such as SetWindowRgn, once it has accepted it.
  H release() { return std::exchange(handle_, Empty()); }
  // Keeps the thread's last error: an owner often goes out of scope between a failed call and its report.
  void reset(H handle = Empty()) {
    if (handle_ != Empty()) {
      const DWORD error = GetLastError();
      Free{}(handle_);
      SetLastError(error);
    }
    handle_ = handle;
  }
  // For functions that return the handle through an out-parameter: frees what was held first.
  H* put() {
    reset();
    return &handle_;
  }

 private:
  H handle_ = Empty();
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct CloseFileHandle : CloseKernelHandle {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
};
struct CloseRegKey {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};

template <class H>
using GdiObject = UniqueAny<H, DeleteGdiObject>;
using BitmapHandle = GdiObject<HBITMAP>;
using KernelHandle = UniqueAny<HANDLE, CloseKernelHandle>;  // tokens, processes, threads, events
using FileHandle = UniqueAny<HANDLE, CloseFileHandle>;      // CreateFile: INVALID_HANDLE_VALUE is empty
using RegKey = UniqueAny<HKEY, CloseRegKey>;
using IconHandle = UniqueAny<HICON, DestroyIconHandle>;  // icons loaded without LR_SHARED

// GetDC for one scope; ReleaseDC when it ends. Null window: the screen.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace tkt
