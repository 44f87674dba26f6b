// tktdrive: a small Windows UI driver for end-to-end tests, run under Wine beside the program under test.
//
//   tktdrive SCRIPT [NAME=VALUE ...]
//
// Runs SCRIPT line by line; the first failing line ends it with exit code 1 (0 when every line passed).
// Programs it started and temporary folders it made are cleaned up at the end. Lines are commands with
// blank-separated arguments; "quoted arguments" may hold blanks and the escapes \" \\ \r \n \t (any other
// backslash stays as it is, so Windows paths need no doubling). ${NAME}
// anywhere is replaced by a variable: those given on the command line, set by commands below, and
// ${DRIVER_PID}. Times are milliseconds; a DEADLINE argument is optional (default 20000). Every wait
// polls for its condition until the deadline. '#' starts a comment line.
//
// Variables and files
//   set NAME VALUE                 NAME = VALUE
//   calc NAME A OP B               NAME = A OP B for integers, OP one of + - * /
//   tempdir NAME                   makes an empty temporary folder, NAME = its path (removed at the end)
//   copytree FROM TO               copies a folder recursively
//   writefile PATH TEXT            writes TEXT in the ANSI code page (so "\r\n" for line ends)
//   deletefile PATH                removes a file if it exists
//   readfile VAR PATH              VAR = the file's text, read in the ANSI code page
// Programs
//   start PROC EXE DIR             starts EXE with DIR as its current directory, remembered as PROC
//   waitexit PROC [DEADLINE]       waits until PROC has ended; PROC.code = its exit code
//   alive PROC                     fails unless PROC is still running
// Windows (HWND values are hexadecimal numbers)
//   waitwindow VAR PROC CLASS TITLE [DEADLINE]  a visible top-level window of PROC ("*" matches any
//                                  class or title); VAR = its handle
//   nowindow PROC CLASS TITLE      fails if such a visible window exists now
//   waitgone HWND [DEADLINE]       waits until the window is hidden or destroyed
//   msgbox VAR PROC [DEADLINE]     waits for a message box of PROC: VAR = handle, VAR.title, VAR.text,
//                                  VAR.icon (1 when it shows an icon), VAR.buttons ("OK|Cancel" ...)
//   press DIALOG BUTTONTEXT        clicks a button of a dialog by its text (ampersands ignored)
//   defaultbutton VAR DIALOG       VAR = the text of the button Enter presses
//   rect VAR HWND                  VAR.left .top .right .bottom .width .height (screen pixels)
//   exstyle VAR HWND               VAR.toolwindow, VAR.topmost (0 or 1)
//   screen VAR                     VAR.width .height of the primary screen
//   enabled VAR HWND               VAR = 1 when the window takes input, 0 when it is disabled
//   waitenabled HWND [DEADLINE]    waits until the window takes input again
//   waitcapture HWND [DEADLINE]    waits until HWND has captured the mouse. Input is routed when it is sent,
//                                  so moves sent before a drag has begun go to whatever lies under the pointer
//   waitrect HWND LEFT TOP [DEADLINE]  waits until the window's top-left corner is at LEFT, TOP
// Pixels (read from the screen)
//   countcolor VAR HWND L T R B RRGGBB TOL   VAR = pixels of the window's rectangle L,T-R,B whose every
//                                  channel is within TOL of the colour
//   countcolorbmp VAR BMP L T R B RRGGBB TOL  the same over a bitmap file
//   waitcount HWND L T R B RRGGBB TOL OP N [DEADLINE]  waits until countcolor's count is OP N (== >= <=)
//   facematch VAR HWND BMP CX CY RADIUS   VAR = per cent of the window's region pixels (outside the circle
//                                  CX,CY,RADIUS in window pixels) equal to the bitmap's pixel there
//   waitchange HWND [DEADLINE]     waits until the window's pixels on screen change
//   regionfile HWND RGP            fails unless the window's region equals the union of the file's runs
// Mouse and menus
//   mouse move X Y | mouse down|up|click left|right|middle [X Y]   real input through SendInput
//   menuitem MENU INDEX COUNT      clicks the middle of item INDEX (from 0) of an open popup menu window
//                                  of COUNT items of one height
// Registry
//   regdelete KEY                  removes the key under HKCU and everything below it; a missing key is fine
// Controls inside a program's windows (the designer's pages and dialogs)
//   child VAR HWND CLASS TEXT [DEADLINE]  waits for a visible descendant of HWND ("*" matches any class or
//                                  text); VAR = its handle
//   children VAR HWND CLASS TEXT   every visible such descendant, in creation order: VAR.count, VAR.0, VAR.1 ...
//   click HWND                     clicks a button (posted, so a message box it opens does not block us)
//   settext HWND TEXT              sets a control's text, as typing into an edit field would
//   gettext VAR HWND               VAR = a control's text, asked of its own program
//   tab HWND INDEX                 selects a page of a tab control; its parent hears of the change
//   command HWND ID                posts WM_COMMAND with a control id to a window (1 = OK of a dialog)
// Checks
//   expect A OP B                  OP: == != < <= > >= (numbers when both are), contains, !contains
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "faceformat/bmp.h"
#include "faceformat/region.h"

namespace {

std::wstring Widen(const std::string& s, UINT cp = CP_UTF8) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(cp, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(cp, 0, s.data(), int(s.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& w, UINT cp = CP_UTF8) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(cp, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(cp, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::string Hex(unsigned long long v) {
  char t[32];
  std::snprintf(t, sizeof t, "%llx", v);
  return t;
}

struct Failure {
  std::string what;
};

class Driver {
 public:
  explicit Driver(std::map<std::string, std::string> vars) : vars_(std::move(vars)) {
    vars_["DRIVER_PID"] = std::to_string(GetCurrentProcessId());
  }
  ~Driver() { Cleanup(); }

  int Run(const std::string& script) {
    std::istringstream in(script);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::vector<std::string> args;
      try {
        args = Split(line);
        if (args.empty() || args[0][0] == '#') continue;
        Print("> " + line);
        Execute(args);
      } catch (const Failure& f) {
        Print("FAIL line " + std::to_string(number) + ": " + line + "\n     " + f.what);
        return 1;
      }
    }
    Print("PASS");
    return 0;
  }

 private:
  // ---- parsing ----
  std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      if (i >= line.size()) break;
      std::string tok;
      if (line[i] == '"') {
        ++i;
        while (i < line.size() && line[i] != '"') {
          const char e = i + 1 < line.size() ? line[i + 1] : '\0';
          if (line[i] == '\\' && (e == '"' || e == '\\' || e == 'r' || e == 'n' || e == 't')) {
            tok += e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
            ++i;
          } else {
            tok += line[i];
          }
          ++i;
        }
        if (i >= line.size()) throw Failure{"unterminated quote"};
        ++i;
      } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') tok += line[i++];
      }
      out.push_back(Expand(tok));
    }
    return out;
  }

  std::string Expand(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '$' && i + 1 < s.size() && s[i + 1] == '{') {
        const size_t end = s.find('}', i);
        if (end == std::string::npos) throw Failure{"unterminated ${"};
        const std::string name = s.substr(i + 2, end - i - 2);
        auto it = vars_.find(name);
        if (it == vars_.end()) throw Failure{"no variable " + name};
        out += it->second;
        i = end;
      } else {
        out += s[i];
      }
    }
    return out;
  }

  static void Need(const std::vector<std::string>& a, size_t n) {
    if (a.size() < n) throw Failure{"needs " + std::to_string(n - 1) + " arguments"};
  }
  static long long Number(const std::string& s) {
    try {
      size_t used = 0;
      const long long v = std::stoll(s, &used, 0);
      if (used == s.size()) return v;
    } catch (...) {
    }
    throw Failure{"not a number: " + s};
  }
  static DWORD Deadline(const std::vector<std::string>& a, size_t index) {
    return index < a.size() ? DWORD(Number(a[index])) : 20000;
  }
  static HWND Handle(const std::string& s) { return reinterpret_cast<HWND>(std::stoull(s, nullptr, 16)); }
  static void Print(const std::string& s) {
    std::fwrite(s.data(), 1, s.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }

  template <class Pred>
  static bool PollUntil(DWORD deadlineMs, Pred pred) {
    const ULONGLONG end = GetTickCount64() + deadlineMs;
    for (;;) {
      if (pred()) return true;
      if (GetTickCount64() >= end) return false;
      Sleep(50);
    }
  }

  PROCESS_INFORMATION& Proc(const std::string& name) {
    auto it = procs_.find(name);
    if (it == procs_.end()) throw Failure{"no program " + name};
    return it->second;
  }

  // ---- commands ----
  void Execute(const std::vector<std::string>& a) {
    const std::string& c = a[0];
    if (c == "set") {
      Need(a, 3);
      vars_[a[1]] = a[2];
    } else if (c == "calc") {
      Need(a, 5);
      const long long x = Number(a[2]), y = Number(a[4]);
      const std::string& op = a[3];
      if (op == "/" && y == 0) throw Failure{"division by zero"};
      vars_[a[1]] = std::to_string(op == "+" ? x + y : op == "-" ? x - y : op == "*" ? x * y : op == "/" ? x / y
                                   : throw Failure{"unknown operator " + op});
    } else if (c == "tempdir") {
      Need(a, 2);
      wchar_t base[MAX_PATH];
      GetTempPathW(MAX_PATH, base);
      std::filesystem::path dir;
      for (int i = 0;; ++i) {
        dir = std::filesystem::path(base) / (L"tktdrive-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(i));
        std::error_code ec;
        if (std::filesystem::create_directories(dir, ec)) break;
        if (i > 1000) throw Failure{"cannot make a temporary folder"};
      }
      temps_.push_back(dir);
      vars_[a[1]] = Narrow(dir.wstring());
    } else if (c == "copytree") {
      Need(a, 3);
      std::error_code ec;
      std::filesystem::copy(Widen(a[1]), Widen(a[2]),
                            std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing, ec);
      if (ec) throw Failure{"copy failed: " + ec.message()};
    } else if (c == "writefile") {
      Need(a, 3);
      std::ofstream f(std::filesystem::path(Widen(a[1])), std::ios::binary | std::ios::trunc);
      f << Narrow(Widen(a[2]), CP_ACP);
      if (!f) throw Failure{"cannot write " + a[1]};
    } else if (c == "readfile") {
      Need(a, 3);
      std::ifstream f(std::filesystem::path(Widen(a[2])), std::ios::binary);
      if (!f) throw Failure{"cannot read " + a[2]};
      std::ostringstream bytes;
      bytes << f.rdbuf();
      vars_[a[1]] = Narrow(Widen(bytes.str(), CP_ACP));
    } else if (c == "deletefile") {
      Need(a, 2);
      std::error_code ec;
      std::filesystem::remove(std::filesystem::path(Widen(a[1])), ec);
    } else if (c == "start") {
      Need(a, 4);
      Start(a[1], a[2], a[3]);
    } else if (c == "waitexit") {
      Need(a, 2);
      auto& p = Proc(a[1]);
      if (WaitForSingleObject(p.hProcess, Deadline(a, 2)) != WAIT_OBJECT_0) throw Failure{a[1] + " is still running"};
      DWORD code = 0;
      GetExitCodeProcess(p.hProcess, &code);
      vars_[a[1] + ".code"] = std::to_string(code);
    } else if (c == "alive") {
      Need(a, 2);
      if (WaitForSingleObject(Proc(a[1]).hProcess, 0) == WAIT_OBJECT_0) throw Failure{a[1] + " has ended"};
    } else if (c == "waitwindow") {
      Need(a, 5);
      HWND found = nullptr;
      const DWORD pid = Proc(a[2]).dwProcessId;
      if (!PollUntil(Deadline(a, 5), [&] { return (found = FindTopWindow(pid, a[3], a[4])) != nullptr; }))
        throw Failure{"no such window"};
      vars_[a[1]] = Hex(reinterpret_cast<uintptr_t>(found));
    } else if (c == "nowindow") {
      Need(a, 4);
      if (HWND w = FindTopWindow(Proc(a[1]).dwProcessId, a[2], a[3])) throw Failure{"found window " + Hex(uintptr_t(w))};
    } else if (c == "msgbox") {
      Need(a, 3);
      MessageBoxInfo(a[1], Proc(a[2]).dwProcessId, Deadline(a, 3));
    } else if (c == "press") {
      Need(a, 3);
      Press(Handle(a[1]), a[2]);
    } else if (c == "rect") {
      Need(a, 3);
      RECT r{};
      if (!GetWindowRect(Handle(a[2]), &r)) throw Failure{"no window"};
      SetRect(a[1], r);
      vars_[a[1] + ".width"] = std::to_string(r.right - r.left);
      vars_[a[1] + ".height"] = std::to_string(r.bottom - r.top);
    } else if (c == "exstyle") {
      Need(a, 3);
      const LONG_PTR ex = GetWindowLongPtrW(Handle(a[2]), GWL_EXSTYLE);
      vars_[a[1] + ".toolwindow"] = ex & WS_EX_TOOLWINDOW ? "1" : "0";
      vars_[a[1] + ".topmost"] = ex & WS_EX_TOPMOST ? "1" : "0";
    } else if (c == "screen") {
      Need(a, 2);
      vars_[a[1] + ".width"] = std::to_string(GetSystemMetrics(SM_CXSCREEN));
      vars_[a[1] + ".height"] = std::to_string(GetSystemMetrics(SM_CYSCREEN));
    } else if (c == "countcolor" || c == "countcolorbmp") {
      Need(a, 9);
      faceformat::Image img = c == "countcolor" ? CaptureWindow(Handle(a[2])) : LoadBmp(a[2]);
      vars_[a[1]] = std::to_string(CountColor(img, int(Number(a[3])), int(Number(a[4])), int(Number(a[5])),
                                              int(Number(a[6])), uint32_t(std::stoul(a[7], nullptr, 16)), int(Number(a[8]))));
    } else if (c == "facematch") {
      Need(a, 7);
      vars_[a[1]] = std::to_string(FaceMatch(Handle(a[2]), a[3], Number(a[4]), Number(a[5]), Number(a[6])));
    } else if (c == "waitchange") {
      Need(a, 2);
      HWND w = Handle(a[1]);
      const faceformat::Image first = CaptureWindow(w);
      if (!PollUntil(Deadline(a, 2), [&] { return !(CaptureWindow(w) == first); })) throw Failure{"nothing changed"};
    } else if (c == "regionfile") {
      Need(a, 3);
      RegionEqualsFile(Handle(a[1]), a[2]);
    } else if (c == "mouse") {
      Mouse(a);
    } else if (c == "regdelete") {
      Need(a, 2);
      const LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, Widen(a[1]).c_str());
      if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) RegDeleteKeyW(HKEY_CURRENT_USER, Widen(a[1]).c_str());
      else throw Failure{"cannot delete the key"};
    } else if (ExecuteControl(a) || ExecuteWait(a)) {
    } else if (c == "expect") {
      Need(a, 4);
      Expect(a[1], a[2], a[3]);
    } else {
      throw Failure{"unknown command " + c};
    }
  }

  void SetRect(const std::string& var, const RECT& r) {
    vars_[var + ".left"] = std::to_string(r.left);
    vars_[var + ".top"] = std::to_string(r.top);
    vars_[var + ".right"] = std::to_string(r.right);
    vars_[var + ".bottom"] = std::to_string(r.bottom);
  }

  void Start(const std::string& name, const std::string& exe, const std::string& dir) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + Widen(exe) + L"\"";
    if (!CreateProcessW(Widen(exe).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, Widen(dir).c_str(), &si, &pi))
      throw Failure{"cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")"};
    CloseHandle(pi.hThread);
    procs_[name] = pi;
    vars_[name + ".pid"] = std::to_string(pi.dwProcessId);
  }

  // ---- controls of another program ----
  bool ExecuteControl(const std::vector<std::string>& a) {
    const std::string& c = a[0];
    if (c == "child") {
      Need(a, 5);
      HWND found = nullptr;
      if (!PollUntil(Deadline(a, 5), [&] {
            auto all = Descendants(Handle(a[2]), a[3], a[4]);
            found = all.empty() ? nullptr : all.front();
            return found != nullptr;
          }))
        throw Failure{"no such control"};
      vars_[a[1]] = Hex(reinterpret_cast<uintptr_t>(found));
    } else if (c == "children") {
      Need(a, 5);
      auto all = Descendants(Handle(a[2]), a[3], a[4]);
      vars_[a[1] + ".count"] = std::to_string(all.size());
      for (size_t i = 0; i < all.size(); ++i) vars_[a[1] + "." + std::to_string(i)] = Hex(reinterpret_cast<uintptr_t>(all[i]));
    } else if (c == "click") {
      Need(a, 2);
      if (!PostMessageW(Handle(a[1]), BM_CLICK, 0, 0)) throw Failure{"no window"};
    } else if (c == "settext") {
      Need(a, 3);
      const std::wstring text = Widen(a[2]);
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(Handle(a[1]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               5000, &result))
        throw Failure{"the control does not answer"};
    } else if (c == "gettext") {
      Need(a, 3);
      vars_[a[1]] = ControlText(Handle(a[2]));
    } else if (c == "tab") {
      Need(a, 3);
      // TCM_SETCURFOCUS changes the page and notifies the parent, as a click on the tab does.
      if (!PostMessageW(Handle(a[1]), 0x1330 /* TCM_SETCURFOCUS */, WPARAM(Number(a[2])), 0)) throw Failure{"no window"};
    } else if (c == "command") {
      Need(a, 3);
      if (!PostMessageW(Handle(a[1]), WM_COMMAND, MAKEWPARAM(WORD(Number(a[2])), BN_CLICKED), 0))
        throw Failure{"no window"};
    } else if (c == "waitgone") {
      Need(a, 2);
      HWND w = Handle(a[1]);
      if (!PollUntil(Deadline(a, 2), [&] { return !IsWindow(w) || !IsWindowVisible(w); }))
        throw Failure{"the window is still there"};
    } else {
      return false;
    }
    return true;
  }

  // ---- waits on windows and menus ----
  bool ExecuteWait(const std::vector<std::string>& a) {
    const std::string& c = a[0];
    if (c == "waitcapture") {
      Need(a, 2);
      const HWND w = Handle(a[1]);
      const DWORD thread = GetWindowThreadProcessId(w, nullptr);
      if (!PollUntil(Deadline(a, 2), [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(thread, &info) && info.hwndCapture == w;
          }))
        throw Failure{"the window did not capture the mouse"};
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
      if (!PollUntil(Deadline(a, 10), [&] {
            got = CountColor(CaptureWindow(Handle(a[1])), int(Number(a[2])), int(Number(a[3])), int(Number(a[4])),
                             int(Number(a[5])), uint32_t(std::stoul(a[6], nullptr, 16)), int(Number(a[7])));
            return op == "==" ? got == want : op == ">=" ? got >= want : got <= want;
          }))
        throw Failure{"the count stayed " + std::to_string(got)};
    } else if (c == "enabled") {
      Need(a, 3);
      vars_[a[1]] = IsWindowEnabled(Handle(a[2])) ? "1" : "0";
    } else if (c == "waitenabled") {
      Need(a, 2);
      if (!PollUntil(Deadline(a, 2), [&] { return IsWindowEnabled(Handle(a[1])) != FALSE; }))
        throw Failure{"the window stays disabled"};
    } else if (c == "defaultbutton") {
      Need(a, 3);
      std::string text;
      for (HWND child = GetWindow(Handle(a[2]), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "Button" && (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
          text = StripAmpersand(WindowText(child));
      vars_[a[1]] = text;
    } else if (c == "menuitem") {
      Need(a, 4);
      RECT r{};
      const long long index = Number(a[2]), count = Number(a[3]);
      if (!GetWindowRect(Handle(a[1]), &r) || count <= 0) throw Failure{"no menu"};
      const long long y = r.top + (r.bottom - r.top) * (2 * index + 1) / (2 * count);
      Mouse({"mouse", "click", "left", std::to_string((r.left + r.right) / 2), std::to_string(y)});
    } else {
      return false;
    }
    return true;
  }

  static std::vector<HWND> Descendants(HWND parent, const std::string& cls, const std::string& text) {
    struct Search {
      const std::string *cls, *text;
      std::vector<HWND> found;
    } s{&cls, &text, {}};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM lp) CALLBACK -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          if (!IsWindowVisible(w)) return TRUE;
          if (*s->cls != "*" && lstrcmpiW(Widen(ClassOf(w)).c_str(), Widen(*s->cls).c_str()) != 0) return TRUE;
          if (*s->text != "*" && ControlText(w) != *s->text) return TRUE;
          s->found.push_back(w);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
  }

  // WM_GETTEXT is carried between programs; GetWindowText would not ask an edit field for its text.
  static std::string ControlText(HWND w) {
    wchar_t buf[4096] = {};
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &n)) return "";
    return Narrow(std::wstring(buf, size_t(n)));
  }

  static std::string WindowText(HWND w) {
    wchar_t buf[1024];
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &n)) return "";
    return Narrow(std::wstring(buf, std::min<size_t>(size_t(n), 1023)));
  }
  static std::string ClassOf(HWND w) {
    wchar_t buf[256];
    const int n = GetClassNameW(w, buf, 256);
    return Narrow(std::wstring(buf, size_t(n > 0 ? n : 0)));
  }

  static HWND FindTopWindow(DWORD pid, const std::string& cls, const std::string& title) {
    struct Search {
      DWORD pid;
      const std::string *cls, *title;
      HWND found;
    } s{pid, &cls, &title, nullptr};
    EnumWindows(
        [](HWND w, LPARAM lp) CALLBACK -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          if (owner != s->pid || !IsWindowVisible(w)) return TRUE;
          if (*s->cls != "*" && ClassOf(w) != *s->cls) return TRUE;
          if (*s->title != "*" && WindowText(w) != *s->title) return TRUE;
          s->found = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
  }

  void MessageBoxInfo(const std::string& var, DWORD pid, DWORD deadline) {
    HWND box = nullptr;
    if (!PollUntil(deadline, [&] { return (box = FindTopWindow(pid, "#32770", "*")) != nullptr; }))
      throw Failure{"no message box"};
    vars_[var] = Hex(reinterpret_cast<uintptr_t>(box));
    vars_[var + ".title"] = WindowText(box);
    vars_[var + ".text"] = WindowText(GetDlgItem(box, 0xFFFF));
    std::string buttons, icon = "0";
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const std::string cls = ClassOf(child);
      if (cls == "Button" && IsWindowVisible(child)) buttons += (buttons.empty() ? "" : "|") + StripAmpersand(WindowText(child));
      if (cls == "Static" && IsWindowVisible(child) && (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
          SendMessageW(child, STM_GETICON, 0, 0))
        icon = "1";
    }
    vars_[var + ".buttons"] = buttons;
    vars_[var + ".icon"] = icon;
  }

  static std::string StripAmpersand(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '&'), s.end());
    return s;
  }

  static void Press(HWND dialog, const std::string& text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ClassOf(child) == "Button" && StripAmpersand(WindowText(child)) == text) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), reinterpret_cast<LPARAM>(child));
        return;
      }
    }
    throw Failure{"no button " + text};
  }

  // ---- pixels ----
  // The part of the window on the screen; the rest stays black. (Wine's BitBlt gives nothing at all for a
  // source rectangle reaching beyond the screen.)
  static faceformat::Image CaptureWindow(HWND w) {
    RECT r{}, shown{};
    GetWindowRect(w, &r);
    const RECT screenRect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    faceformat::Image img(r.right - r.left, r.bottom - r.top, 0);
    if (!IntersectRect(&shown, &r, &screenRect)) return img;
    const int width = shown.right - shown.left, height = shown.bottom - shown.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, shown.left, shown.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> px(size_t(width) * size_t(height));
    GetDIBits(mem, bmp, 0, UINT(height), px.data(), &bi, DIB_RGB_COLORS);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        img.at(shown.left - r.left + x, shown.top - r.top + y) = px[size_t(y) * size_t(width) + size_t(x)] & 0x00FFFFFF;
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return img;
  }

  static faceformat::Image LoadBmp(const std::string& path) {
    auto img = faceformat::ReadBmpFile(std::filesystem::path(Widen(path)));
    if (!img) throw Failure{"cannot read " + path + ": " + img.error().what};
    return std::move(*img);
  }

  static int CountColor(const faceformat::Image& img, int l, int t, int r, int b, uint32_t rgb, int tol) {
    int n = 0;
    for (int y = std::max(t, 0); y < std::min(b, img.height); ++y)
      for (int x = std::max(l, 0); x < std::min(r, img.width); ++x) {
        const uint32_t p = img.at(x, y);
        if (std::abs(int(p >> 16 & 255) - int(rgb >> 16 & 255)) <= tol && std::abs(int(p >> 8 & 255) - int(rgb >> 8 & 255)) <= tol &&
            std::abs(int(p & 255) - int(rgb & 255)) <= tol)
          ++n;
      }
    return n;
  }

  static double FaceMatch(HWND w, const std::string& bmp, long long cx, long long cy, long long radius) {
    const faceformat::Image face = LoadBmp(bmp);
    const faceformat::Image shot = CaptureWindow(w);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(w, rgn) == ERROR) {
      DeleteObject(rgn);
      throw Failure{"the window has no region"};
    }
    long long total = 0, same = 0;
    for (int y = 0; y < std::min(face.height, shot.height); ++y)
      for (int x = 0; x < std::min(face.width, shot.width); ++x) {
        if (!PtInRegion(rgn, x, y)) continue;
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) continue;
        ++total;
        same += (face.at(x, y) & 0xFFFFFF) == shot.at(x, y);
      }
    DeleteObject(rgn);
    if (total == 0) throw Failure{"no pixels to compare"};
    return double(same) * 100.0 / double(total);
  }

  static void RegionEqualsFile(HWND w, const std::string& path) {
    auto runs = faceformat::ReadRegionFile(std::filesystem::path(Widen(path)));
    if (!runs) throw Failure{"cannot read " + path + ": " + runs.error().what};
    HRGN expected = CreateRectRgn(0, 0, 0, 0);
    for (const auto& r : *runs) {
      HRGN strip = CreateRectRgn(r.left, r.row, r.left + r.length, r.row + 1);
      CombineRgn(expected, expected, strip, RGN_OR);
      DeleteObject(strip);
    }
    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(w, actual);
    const bool equal = kind != ERROR && EqualRgn(expected, actual);
    DeleteObject(expected);
    DeleteObject(actual);
    if (!equal) throw Failure{"the window's region differs from " + path + " (kind " + std::to_string(kind) + ")"};
  }

  // ---- mouse ----
  static void Mouse(const std::vector<std::string>& a) {
    Need(a, 2);
    auto moveTo = [](long long x, long long y) {
      INPUT in{};
      in.type = INPUT_MOUSE;
      in.mi.dx = LONG((x * 65535) / std::max(1, GetSystemMetrics(SM_CXSCREEN) - 1));
      in.mi.dy = LONG((y * 65535) / std::max(1, GetSystemMetrics(SM_CYSCREEN) - 1));
      in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
      SendInput(1, &in, sizeof in);
    };
    if (a[1] == "move") {
      Need(a, 4);
      moveTo(Number(a[2]), Number(a[3]));
      return;
    }
    Need(a, 3);
    DWORD down = 0, up = 0;
    if (a[2] == "left") down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    else if (a[2] == "right") down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
    else if (a[2] == "middle") down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
    else throw Failure{"no button " + a[2]};
    if (a.size() >= 5) moveTo(Number(a[3]), Number(a[4]));
    INPUT in{};
    in.type = INPUT_MOUSE;
    if (a[1] == "down" || a[1] == "click") {
      in.mi.dwFlags = down;
      SendInput(1, &in, sizeof in);
    }
    if (a[1] == "up" || a[1] == "click") {
      in.mi.dwFlags = up;
      SendInput(1, &in, sizeof in);
    }
  }

  // ---- checks ----
  static bool IsNumber(const std::string& s) {
    if (s.empty()) return false;
    char* end = nullptr;
    std::strtod(s.c_str(), &end);
    return *end == '\0';
  }

  static void Expect(const std::string& x, const std::string& op, const std::string& y) {
    bool ok;
    if (op == "contains") ok = x.find(y) != std::string::npos;
    else if (op == "!contains") ok = x.find(y) == std::string::npos;
    else if (IsNumber(x) && IsNumber(y)) {
      const double a = std::strtod(x.c_str(), nullptr), b = std::strtod(y.c_str(), nullptr);
      ok = op == "==" ? a == b : op == "!=" ? a != b : op == "<" ? a < b : op == "<=" ? a <= b : op == ">" ? a > b
         : op == ">=" ? a >= b : throw Failure{"unknown operator " + op};
    } else if (op == "==") ok = x == y;
    else if (op == "!=") ok = x != y;
    else throw Failure{"cannot compare texts with " + op};
    if (!ok) throw Failure{"expected \"" + x + "\" " + op + " \"" + y + "\""};
  }

  void Cleanup() {
    for (auto& [name, p] : procs_) {
      if (WaitForSingleObject(p.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(p.hProcess, 99);
        WaitForSingleObject(p.hProcess, 5000);
      }
      CloseHandle(p.hProcess);
    }
    procs_.clear();
    for (const auto& dir : temps_) {
      std::error_code ec;
      std::filesystem::remove_all(dir, ec);
    }
    temps_.clear();
  }

  std::map<std::string, std::string> vars_;
  std::map<std::string, PROCESS_INFORMATION> procs_;
  std::vector<std::filesystem::path> temps_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: tktdrive SCRIPT [NAME=VALUE ...]\n", stderr);
    return 2;
  }
  std::ifstream f(std::filesystem::path(argv[1]), std::ios::binary);
  if (!f) {
    std::fprintf(stderr, "tktdrive: cannot read %s\n", Narrow(argv[1]).c_str());
    return 2;
  }
  std::stringstream script;
  script << f.rdbuf();
  std::map<std::string, std::string> vars;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = Narrow(argv[i]);
    const size_t eq = arg.find('=');
    if (eq != std::string::npos) vars[arg.substr(0, eq)] = arg.substr(eq + 1);
  }
  Driver driver(std::move(vars));
  return driver.Run(script.str());
}
