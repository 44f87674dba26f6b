#include "tktdrive_menu.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>

namespace tktdrive {
namespace {

struct Shot {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  bool operator==(const Shot&) const = default;
};

Shot Capture(const RECT& r) {
  Shot shot{r.right - r.left, r.bottom - r.top, {}};
  if (shot.width <= 0 || shot.height <= 0) return shot;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = shot.width;
  bi.bmiHeader.biHeight = -shot.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  shot.pixels.assign(px, px + static_cast<size_t>(shot.width) * shot.height);
  for (uint32_t& p : shot.pixels) p &= 0xFFFFFF;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return shot;
}

// The picture of a menu window once it has stopped changing (menus may still be drawing when they appear).
Shot SteadyCapture(HWND menu) {
  Shot last;
  for (int i = 0; i < 40; ++i) {
    RECT r{};
    GetWindowRect(menu, &r);
    Shot now = Capture(r);
    if (i > 0 && now == last && !now.pixels.empty()) return now;
    last = std::move(now);
    Sleep(50);
  }
  return last;
}

// A pointer resting on a menu selects the item under it, and under Wine the selection can outlast the
// pointer's leaving. Both pictures are taken with the pointer elsewhere and the first item selected from the
// keyboard, so they show the same selection.
void SelectFirstItem(HWND menu) { PostMessageW(menu, WM_KEYDOWN, VK_HOME, 0); }

void MovePointerAway() {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = 0;
  in.mi.dy = 0;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

HWND VisibleMenuWindow() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

struct OurMenuState {
  Shot* result;
  Shot last;
  int ticks;
};
OurMenuState* ourMenu;

// Runs inside the menu's own loop, which must keep turning to draw: selects the first item, waits until the
// picture stops changing, keeps it and closes the menu.
void CALLBACK PhotographOurMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND open = VisibleMenuWindow();
  if (!open) return;
  if (ourMenu->ticks++ == 0) {
    SelectFirstItem(open);
    return;
  }
  RECT r{};
  GetWindowRect(open, &r);
  Shot now = Capture(r);
  if ((now == ourMenu->last && !now.pixels.empty()) || ourMenu->ticks > 40) {
    KillTimer(nullptr, id);
    *ourMenu->result = std::move(now);
    PostMessageW(open, WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  ourMenu->last = std::move(now);
}

// Shows a menu of these captions with its corner at `at` and returns its picture.
Shot OurMenu(const std::vector<std::wstring>& captions, POINT at) {
  HMENU menu = CreatePopupMenu();
  for (size_t i = 0; i < captions.size(); ++i) AppendMenuW(menu, MF_STRING, 100 + i, captions[i].c_str());
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                               nullptr);
  Shot shot;
  OurMenuState state{&shot, {}, 0};
  ourMenu = &state;
  SetForegroundWindow(owner);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &PhotographOurMenu);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr);
  KillTimer(nullptr, timer);
  DestroyWindow(owner);
  DestroyMenu(menu);
  return shot;
}

size_t Differences(const Shot& a, const Shot& b) {
  if (a.width != b.width || a.height != b.height) return SIZE_MAX;
  size_t n = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
  return n;
}

bool WaitUntilClosed() {
  for (int i = 0; i < 100; ++i) {
    if (!VisibleMenuWindow()) return true;
    Sleep(20);
  }
  return false;
}

// Closes the open popup menu after taking its picture, then shows the expected menu in its place.
// Empty when both look alike, else what differs.
std::string ComparePopupMenu(HWND popup, const std::vector<std::wstring>& captions) {
  if (!popup || !IsWindowVisible(popup)) return "no popup menu is open";
  RECT where{};
  GetWindowRect(popup, &where);
  MovePointerAway();
  SelectFirstItem(popup);
  const Shot theirs = SteadyCapture(popup);
  PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  if (!WaitUntilClosed()) return "the popup menu did not close";
  const POINT corner{where.left, where.top};
  const Shot ours = OurMenu(captions, corner);
  if (ours.pixels.empty()) return "could not show the expected menu";
  if (const size_t d = Differences(theirs, ours); d != 0) {
    return d == SIZE_MAX ? "the menu is " + std::to_string(theirs.width) + "x" + std::to_string(theirs.height) +
                               " pixels, the expected one " + std::to_string(ours.width) + "x" +
                               std::to_string(ours.height)
                         : std::to_string(d) + " pixels differ from the expected menu";
  }
  std::vector<std::wstring> altered = captions;
  if (!altered.empty() && !altered.back().empty()) {
    altered.back().back() = altered.back().back() == L'X' ? L'Y' : L'X';
    if (Differences(theirs, OurMenu(altered, corner)) == 0) return "the comparison cannot tell captions apart";
  }
  return "";
}

struct Failure {
  std::string what;
};

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

long long Number(const std::string& s) {
  char* end = nullptr;
  const long long v = std::strtoll(s.c_str(), &end, 0);
  if (s.empty() || *end != '\0') throw Failure{"not a number: " + s};
  return v;
}

HWND Handle(const std::string& s) {
  char* end = nullptr;
  const unsigned long long v = std::strtoull(s.c_str(), &end, 16);
  if (s.empty() || *end != '\0') throw Failure{"not a window handle: " + s};
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(v));
}

void Need(const std::vector<std::string>& a, size_t n) {
  if (a.size() < n) throw Failure{"needs " + std::to_string(n - 1) + " arguments"};
}

DWORD Deadline(const std::vector<std::string>& a, size_t index) {
  return index < a.size() ? static_cast<DWORD>(Number(a[index])) : 20000;
}

bool PollUntil(DWORD deadline, const std::function<bool()>& done) {
  const ULONGLONG end = GetTickCount64() + deadline;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
}

long long CountColor(HWND window, int l, int t, int r, int b, uint32_t rgb, int tolerance) {
  RECT at{};
  if (!GetWindowRect(window, &at)) throw Failure{"no window"};
  const Shot shot = Capture(at);
  long long n = 0;
  for (int y = std::max(t, 0); y < std::min(b, shot.height); ++y) {
    for (int x = std::max(l, 0); x < std::min(r, shot.width); ++x) {
      const uint32_t p = shot.pixels[static_cast<size_t>(y) * shot.width + x];
      bool within = true;
      for (int shift : {16, 8, 0}) within = within && std::abs(int(p >> shift & 255) - int(rgb >> shift & 255)) <= tolerance;
      n += within;
    }
  }
  return n;
}

std::string WindowText(HWND w) {
  wchar_t buf[512];
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &n)) return "";
  std::string text = Narrow(std::wstring(buf, std::min<size_t>(n, 511)));
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  return text;
}

void Execute(const std::vector<std::string>& a, std::map<std::string, std::string>& vars) {
  const std::string& c = a[0];
  if (c == "menucaptions") {
    Need(a, 3);
    std::vector<std::wstring> captions;
    const std::wstring all = Widen(a[2]);
    for (size_t from = 0;;) {
      const size_t bar = all.find(L'|', from);
      captions.push_back(all.substr(from, bar == std::wstring::npos ? std::wstring::npos : bar - from));
      if (bar == std::wstring::npos) break;
      from = bar + 1;
    }
    if (std::string why = ComparePopupMenu(Handle(a[1]), captions); !why.empty()) throw Failure{why};
  } else if (c == "waitcapture") {
    Need(a, 2);
    const HWND w = Handle(a[1]);
    const DWORD thread = GetWindowThreadProcessId(w, nullptr);
    auto captured = [&] {
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      return GetGUIThreadInfo(thread, &info) && info.hwndCapture == w;
    };
    if (!PollUntil(Deadline(a, 2), captured)) throw Failure{"the window did not capture the mouse"};
  } else if (c == "waitrect") {
    Need(a, 4);
    RECT r{};
    const long long left = Number(a[2]), top = Number(a[3]);
    if (!PollUntil(Deadline(a, 4), [&] { return GetWindowRect(Handle(a[1]), &r) && r.left == left && r.top == top; }))
      throw Failure{"the window is at " + std::to_string(r.left) + "," + std::to_string(r.top)};
  } else if (c == "waitcount") {
    Need(a, 10);
    const std::string& op = a[8];
    if (op != "==" && op != ">=" && op != "<=") throw Failure{"unknown operator " + op};
    const long long want = Number(a[9]);
    long long got = -1;
    auto holds = [&] {
      got = CountColor(Handle(a[1]), int(Number(a[2])), int(Number(a[3])), int(Number(a[4])), int(Number(a[5])),
                       uint32_t(std::strtoul(a[6].c_str(), nullptr, 16)), int(Number(a[7])));
      return op == "==" ? got == want : op == ">=" ? got >= want : got <= want;
    };
    if (!PollUntil(Deadline(a, 10), holds)) throw Failure{"the count stayed " + std::to_string(got)};
  } else if (c == "enabled") {
    Need(a, 3);
    vars[a[1]] = IsWindowEnabled(Handle(a[2])) ? "1" : "0";
  } else if (c == "waitenabled") {
    Need(a, 2);
    if (!PollUntil(Deadline(a, 2), [&] { return IsWindowEnabled(Handle(a[1])) != FALSE; }))
      throw Failure{"the window stays disabled"};
  } else if (c == "defaultbutton") {
    Need(a, 3);
    std::string text;
    for (HWND child = GetWindow(Handle(a[2]), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t cls[32] = {};
      GetClassNameW(child, cls, 32);
      if (lstrcmpiW(cls, L"Button") == 0 && (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        text = WindowText(child);
    }
    vars[a[1]] = text;
  }
}

const char* const kCommands[] = {"menucaptions", "waitcapture", "waitrect",     "waitcount",
                                 "enabled",      "waitenabled", "defaultbutton"};

}  // namespace

CommandResult ExecuteMenuCommand(const std::vector<std::string>& args, std::map<std::string, std::string>& vars) {
  if (args.empty() || std::find(std::begin(kCommands), std::end(kCommands), args[0]) == std::end(kCommands)) return {};
  try {
    Execute(args, vars);
    return {true, ""};
  } catch (const Failure& f) {
    return {true, f.what.empty() ? "failed" : f.what};
  }
}

}  // namespace tktdrive
