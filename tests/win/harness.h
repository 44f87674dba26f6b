// What the Windows-side tests and tktdrive share: waits with a deadline, programs they start, windows found
// by process, class and text, a window's region against a region file, and the pixels on the screen.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "faceformat/image.h"
#include "faceformat/region.h"
#include "wincommon/gdi.h"

namespace harness {

// Polls `done` until it holds (true) or the deadline has passed (false).
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline,
                      std::chrono::milliseconds every = std::chrono::milliseconds(50)) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(every);
  }
}

inline std::wstring Widen(std::string_view s, UINT codePage = CP_UTF8) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), w.data(), n);
  return w;
}

inline std::string Narrow(std::wstring_view w, UINT codePage = CP_UTF8) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

inline std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

// A program started for a test. One still running when its owner goes is ended, so no test leaves it behind.
class Process {
 public:
  Process() = default;
  // `folder` empty: this program's current folder. `application` null: the first word of the command line.
  Process(std::wstring commandLine, const std::wstring& folder, const wchar_t* application = nullptr) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (CreateProcessW(application, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &si, &pi_)) {
      CloseHandle(pi_.hThread);
      pi_.hThread = nullptr;
    } else {
      error_ = GetLastError();
    }
  }
  Process(Process&& other) noexcept : pi_(std::exchange(other.pi_, {})), error_(other.error_) {}
  Process& operator=(Process&& other) noexcept {
    if (this != &other) {
      End();
      pi_ = std::exchange(other.pi_, {});
      error_ = other.error_;
    }
    return *this;
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() { End(); }

  bool started() const { return pi_.hProcess != nullptr; }
  DWORD error() const { return error_; }  // why it did not start
  DWORD id() const { return pi_.dwProcessId; }
  bool running() const { return started() && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
  // The exit code, or nothing while it still runs at the deadline.
  std::optional<DWORD> Wait(std::chrono::milliseconds deadline) const {
    if (!started() || WaitForSingleObject(pi_.hProcess, DWORD(deadline.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

 private:
  void End() {
    if (!pi_.hProcess) return;
    if (running()) {
      TerminateProcess(pi_.hProcess, 1);
      WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hProcess);
    pi_ = {};
  }
  PROCESS_INFORMATION pi_{};
  DWORD error_ = 0;
};

// ---- windows ----
inline DWORD ProcessOf(HWND w) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  return pid;
}

inline std::wstring ClassOf(HWND w) {
  wchar_t buf[256] = {};
  const int n = GetClassNameW(w, buf, 256);
  return std::wstring(buf, size_t(n > 0 ? n : 0));
}

// Class names are compared as the system compares them, without case.
inline bool HasClass(HWND w, const std::wstring& className) {
  return lstrcmpiW(ClassOf(w).c_str(), className.c_str()) == 0;
}

// The text the system keeps for the window (another program's edit field is not asked).
inline std::wstring WindowText(HWND w) {
  wchar_t buf[1024] = {};
  const int n = GetWindowTextW(w, buf, 1024);
  return std::wstring(buf, size_t(n > 0 ? n : 0));
}

// The text as the window's own program answers WM_GETTEXT, carried between programs; empty when it hangs.
inline std::wstring ControlText(HWND w) {
  wchar_t buf[4096] = {};
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &n)) return {};
  return std::wstring(buf, std::min<size_t>(size_t(n), 4095));
}

using WindowMatch = std::function<bool(HWND)>;

namespace detail {
struct Search {
  const WindowMatch& match;
  bool all;
  std::vector<HWND> found;
};
inline BOOL CALLBACK Collect(HWND w, LPARAM lp) {
  auto& s = *reinterpret_cast<Search*>(lp);
  if (!IsWindowVisible(w) || !s.match(w)) return TRUE;
  s.found.push_back(w);
  return s.all;
}
inline HWND First(const Search& s) { return s.found.empty() ? nullptr : s.found.front(); }
}  // namespace detail

// A visible top-level window that `match` accepts, or null.
inline HWND FindTopWindow(const WindowMatch& match) {
  detail::Search s{match, false, {}};
  EnumWindows(detail::Collect, reinterpret_cast<LPARAM>(&s));
  return detail::First(s);
}

// Every visible top-level window of the thread that `match` accepts.
inline std::vector<HWND> FindThreadWindows(DWORD thread, const WindowMatch& match) {
  detail::Search s{match, true, {}};
  EnumThreadWindows(thread, detail::Collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// Every visible descendant of `parent` that `match` accepts, in creation order.
inline std::vector<HWND> FindChildren(HWND parent, const WindowMatch& match) {
  detail::Search s{match, true, {}};
  EnumChildWindows(parent, detail::Collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

inline HWND FindChild(HWND parent, const WindowMatch& match) {
  const auto all = FindChildren(parent, match);
  return all.empty() ? nullptr : all.front();
}

// A visible top-level window of the process with this class, or null.
inline HWND FindProcessWindow(DWORD pid, const std::wstring& className) {
  return FindTopWindow([&](HWND w) { return ProcessOf(w) == pid && HasClass(w, className); });
}

// ---- regions ----
struct RegionComparison {
  bool equal = false;
  int kind = ERROR;   // what GetWindowRgn said of the window's region
  std::string error;  // why the file could not be read
};

// Whether the window is cut to exactly the union of the runs.
inline RegionComparison CompareWindowRegion(HWND w, const std::vector<faceformat::RegionRun>& runs) {
  RegionComparison out;
  tkt::GdiObject<HRGN> expected(CreateRectRgn(0, 0, 0, 0));
  for (const auto& r : runs) {
    tkt::GdiObject<HRGN> strip(CreateRectRgn(r.left, r.row, r.left + r.length, r.row + 1));
    CombineRgn(expected.get(), expected.get(), strip.get(), RGN_OR);
  }
  tkt::GdiObject<HRGN> actual(CreateRectRgn(0, 0, 0, 0));
  out.kind = GetWindowRgn(w, actual.get());
  out.equal = out.kind != ERROR && EqualRgn(expected.get(), actual.get());
  return out;
}

// Whether the window is cut to exactly the union of the region file's runs.
inline RegionComparison CompareWindowRegion(HWND w, const std::filesystem::path& rgp) {
  auto runs = faceformat::ReadRegionFile(rgp);
  if (!runs) {
    RegionComparison out;
    out.error = runs.error().what;
    return out;
  }
  return CompareWindowRegion(w, *runs);
}

inline bool WindowRegionIs(HWND w, const std::filesystem::path& rgp) { return CompareWindowRegion(w, rgp).equal; }

// ---- pixels ----
// The screen's pixels (0x00RRGGBB) in `area`, in screen coordinates; what lies beyond the screen stays black.
// (Wine's BitBlt gives nothing at all for a source rectangle reaching beyond the screen.)
inline faceformat::Image CaptureScreen(const RECT& area) {
  const RECT screenRect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  faceformat::Image img(area.right - area.left, area.bottom - area.top, 0);
  RECT shown{};
  if (!IntersectRect(&shown, &area, &screenRect)) return img;
  const int width = shown.right - shown.left, height = shown.bottom - shown.top;
  std::vector<uint32_t> px(size_t(width) * size_t(height));
  {
    HDC screen = GetDC(nullptr);
    tkt::GdiObject<HBITMAP> bmp(CreateCompatibleBitmap(screen, width, height));
    {
      tkt::MemoryDc mem(screen);
      mem.Select(bmp.get());
      BitBlt(mem.get(), 0, 0, width, height, screen, shown.left, shown.top, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    BITMAPINFO bi = tkt::Bgra32Info(width, -height);
    tkt::MemoryDc dc(nullptr);
    GetDIBits(dc.get(), bmp.get(), 0, UINT(height), px.data(), &bi, DIB_RGB_COLORS);
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      img.at(shown.left - area.left + x, shown.top - area.top + y) =
          px[size_t(y) * size_t(width) + size_t(x)] & 0x00FFFFFF;
  return img;
}

// The window's rectangle as it shows on the screen.
inline faceformat::Image CaptureWindow(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return CaptureScreen(r);
}

}  // namespace harness
