// Commands on programs, their top-level windows, message boxes and the controls inside their windows.
#include <algorithm>
#include <filesystem>
#include <optional>

#include "caption_probe.h"
#include "driver.h"
#include "wincommon/dpi.h"
#include "wincommon/handle.h"

namespace tktdrive {

namespace {

using harness::HasClass;
using harness::WaitUntil;

// Asked of the window's own program: GetWindowText would not ask an edit field of another program.
std::string Text(HWND w) { return Utf8(harness::ControlText(w)); }

std::string StripAmpersand(std::string s) {
  s.erase(std::remove(s.begin(), s.end(), '&'), s.end());
  return s;
}

// "*" matches any class or text.
bool Matches(HWND w, const std::string& cls, const std::string& text) {
  return (cls == "*" || HasClass(w, Wide(cls))) && (text == "*" || Text(w) == text);
}

HWND FindTop(DWORD pid, const std::string& cls, const std::string& title) {
  return harness::FindTopWindow([&](HWND w) { return harness::ProcessOf(w) == pid && Matches(w, cls, title); });
}

std::vector<HWND> Descendants(HWND parent, const std::string& cls, const std::string& text) {
  return harness::FindChildren(parent, [&](HWND w) { return Matches(w, cls, text); });
}

// The dialog's own controls, not theirs.
template <class Visit>
void ForEachChild(HWND dialog, Visit visit) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) visit(child);
}

void SetRect(Driver& d, const std::string& var, const RECT& r) {
  d.Set(var + ".left", std::to_string(r.left));
  d.Set(var + ".top", std::to_string(r.top));
  d.Set(var + ".right", std::to_string(r.right));
  d.Set(var + ".bottom", std::to_string(r.bottom));
  d.Set(var + ".width", std::to_string(r.right - r.left));
  d.Set(var + ".height", std::to_string(r.bottom - r.top));
}

void WaitExit(Driver& d, const Args& a) {
  const auto code = d.Program(a[1]).Wait(Deadline(a, 2));
  if (!code) throw Failure{a[1] + " is still running"};
  d.Set(a[1] + ".code", std::to_string(*code));
}

// Two programs started at once, of which one is to end: VAR = the one still running.
void WaitExitOne(Driver& d, const Args& a) {
  std::string left;
  if (!WaitUntil([&] {
        const bool first = d.Program(a[2]).running(), second = d.Program(a[3]).running();
        if (first == second) return false;
        left = first ? a[2] : a[3];
        return true;
      }, Deadline(a, 4)))
    throw Failure{"not exactly one of " + a[2] + " and " + a[3] + " has ended"};
  d.Set(a[1], left);
}

void WaitWindow(Driver& d, const Args& a) {
  HWND found = nullptr;
  const DWORD pid = d.Program(a[2]).id();
  if (!WaitUntil([&] { return (found = FindTop(pid, a[3], a[4])) != nullptr; }, Deadline(a, 5)))
    throw Failure{"no such window"};
  d.Set(a[1], Hex(found));
}

void MessageBoxInfo(Driver& d, const Args& a) {
  const std::string& var = a[1];
  const DWORD pid = d.Program(a[2]).id();
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindTop(pid, "#32770", "*")) != nullptr; }, Deadline(a, 3)))
    throw Failure{"no message box"};
  d.Set(var, Hex(box));
  d.Set(var + ".title", Text(box));
  d.Set(var + ".text", Text(GetDlgItem(box, 0xFFFF)));
  std::string buttons, icon = "0";
  ForEachChild(box, [&](HWND child) {
    if (!IsWindowVisible(child)) return;
    if (HasClass(child, L"Button")) buttons += (buttons.empty() ? "" : "|") + StripAmpersand(Text(child));
    if (HasClass(child, L"Static") && (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageW(child, STM_GETICON, 0, 0))
      icon = "1";
  });
  d.Set(var + ".buttons", buttons);
  d.Set(var + ".icon", icon);
}

void Press(Driver&, const Args& a) {
  const HWND dialog = Handle(a[1]);
  HWND button = nullptr;
  ForEachChild(dialog, [&](HWND child) {
    if (!button && HasClass(child, L"Button") && StripAmpersand(Text(child)) == a[2]) button = child;
  });
  if (!button) throw Failure{"no button " + a[2]};
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void DefaultButton(Driver& d, const Args& a) {
  std::string text;
  ForEachChild(Handle(a[2]), [&](HWND child) {
    if (HasClass(child, L"Button") && (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      text = StripAmpersand(Text(child));
  });
  d.Set(a[1], text);
}

void Rect(Driver& d, const Args& a) {
  RECT r{};
  if (!GetWindowRect(Handle(a[2]), &r)) throw Failure{"no window"};
  SetRect(d, a[1], r);
}

void ExStyle(Driver& d, const Args& a) {
  const LONG_PTR ex = GetWindowLongPtrW(Handle(a[2]), GWL_EXSTYLE);
  d.Set(a[1] + ".toolwindow", ex & WS_EX_TOOLWINDOW ? "1" : "0");
  d.Set(a[1] + ".topmost", ex & WS_EX_TOPMOST ? "1" : "0");
  d.Set(a[1] + ".noactivate", ex & WS_EX_NOACTIVATE ? "1" : "0");
}

void OwnWindowCommand(Driver& d, const Args& a) {
  const HWND w = d.MakeOwnWindow();
  if (!WaitUntil([&] { return GetForegroundWindow() == w; }, Deadline(a, 2)))
    throw Failure{"the window did not come to the front"};
  d.Set(a[1], Hex(w));
}

void Key(const Args& a) {
  static const std::pair<const char*, WORD> kKeys[] = {
      {"down", VK_DOWN}, {"up", VK_UP}, {"return", VK_RETURN}, {"escape", VK_ESCAPE}};
  for (size_t i = 1; i < a.size(); ++i) {
    const auto* key = std::find_if(std::begin(kKeys), std::end(kKeys), [&](const auto& k) { return a[i] == k.first; });
    if (key == std::end(kKeys)) throw Failure{"no key " + a[i]};
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key->second;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
  }
}

void WaitCapture(Driver&, const Args& a) {
  const HWND w = Handle(a[1]);
  const DWORD thread = GetWindowThreadProcessId(w, nullptr);
  if (!WaitUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndCapture == w;
      }, Deadline(a, 2)))
    throw Failure{"the window did not capture the mouse"};
}

void WaitRect(Driver&, const Args& a) {
  RECT r{};
  const long long left = Number(a[2]), top = Number(a[3]);
  if (!WaitUntil([&] { return GetWindowRect(Handle(a[1]), &r) && r.left == left && r.top == top; }, Deadline(a, 4)))
    throw Failure{"the window is at " + std::to_string(r.left) + "," + std::to_string(r.top)};
}

// Every visible top-level window of the class, whichever program it belongs to.
void CountWindows(Driver& d, const Args& a) {
  int n = 0;
  const std::wstring cls = Wide(a[2]);
  for (HWND w = FindWindowExW(nullptr, nullptr, cls.c_str(), nullptr); w; w = FindWindowExW(nullptr, w, cls.c_str(), nullptr))
    n += IsWindowVisible(w) ? 1 : 0;
  d.Set(a[1], std::to_string(n));
}

// One of tktdrive's own windows becomes a frameless window over the whole primary monitor, in front.
void FullScreen(const Args& a) {
  const HWND w = Handle(a[1]);
  SetWindowLongPtrW(w, GWL_STYLE, WS_POPUP | WS_VISIBLE);
  SetWindowPos(w, HWND_TOP, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), SWP_FRAMECHANGED);
  SetForegroundWindow(w);
  if (!WaitUntil([&] { return GetForegroundWindow() == w; }, Deadline(a, 2)))
    throw Failure{"the window did not come to the front"};
}

void WaitTopmost(const Args& a) {
  const bool want = Number(a[2]) != 0;
  auto topmost = [&] { return (GetWindowLongPtrW(Handle(a[1]), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  if (!WaitUntil([&] { return topmost() == want; }, Deadline(a, 3)))
    throw Failure{std::string("the window is ") + (want ? "not " : "") + "topmost"};
}

void Child(Driver& d, const Args& a) {
  HWND found = nullptr;
  if (!WaitUntil([&] {
        auto all = Descendants(Handle(a[2]), a[3], a[4]);
        found = all.empty() ? nullptr : all.front();
        return found != nullptr;
      }, Deadline(a, 5)))
    throw Failure{"no such control"};
  d.Set(a[1], Hex(found));
}

void Children(Driver& d, const Args& a) {
  const auto all = Descendants(Handle(a[2]), a[3], a[4]);
  d.Set(a[1] + ".count", std::to_string(all.size()));
  for (size_t i = 0; i < all.size(); ++i) d.Set(a[1] + "." + std::to_string(i), Hex(all[i]));
}

void Post(HWND w, UINT message, WPARAM wp) {
  if (!PostMessageW(w, message, wp, 0)) throw Failure{"no window"};
}

void SetText(Driver&, const Args& a) {
  const std::wstring text = Wide(a[2]);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(Handle(a[1]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                           5000, &result))
    throw Failure{"the control does not answer"};
}

// What a control shows its caption in, and the room it has, in the control's own pixels.
struct Caption {
  std::wstring text;
  SIZE room{};
  bool wraps = false;  // a static that breaks its lines at its width
  UINT format = 0;     // DrawText's flags as the control draws
};

bool IsCheckOrOption(LONG style) {
  const LONG type = style & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

// The controls that draw their own one caption: statics with text, check boxes and option buttons.
std::optional<Caption> CaptionOf(HWND w) {
  const LONG style = GetWindowLongW(w, GWL_STYLE);
  RECT client{};
  GetClientRect(w, &client);
  Caption c;
  c.room = {client.right, client.bottom};
  if (HasClass(w, L"Static")) {
    const LONG type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
      return std::nullopt;
    c.wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
    c.format = (c.wraps ? DT_WORDBREAK : DT_SINGLELINE) | DT_EXPANDTABS | (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
  } else if (HasClass(w, L"Button") && IsCheckOrOption(style)) {
    // The mark and the gap before the text.
    const int dpi = tkt::DpiOfWindow(w);
    c.room.cx -= tkt::SystemMetricForDpi(SM_CXMENUCHECK, dpi) + tkt::ScaleFromPixels96(4, dpi);
    c.format = DT_SINGLELINE;
  } else {
    return std::nullopt;
  }
  c.text = harness::ControlText(w);
  if (c.text.empty()) return std::nullopt;
  return c;
}

struct FreeModule {
  void operator()(HMODULE m) const { FreeLibrary(m); }
};
struct Unhook {
  void operator()(HHOOK h) const { UnhookWindowsHookEx(h); }
};

// caption_probe.dll, beside tktdrive, hooked into the thread of a window for as long as this lives.
class CaptionProbe {
 public:
  explicit CaptionProbe(HWND window) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    module_.reset(LoadLibraryW((std::filesystem::path(self).parent_path() / L"caption_probe.dll").c_str()));
    const auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(module_ ? GetProcAddress(module_.get(), caption_probe::kHookName) : nullptr));
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (hook) hook_.reset(SetWindowsHookExW(WH_CALLWNDPROC, hook, module_.get(), thread));
    if (!hook_) throw Failure{"cannot hook caption_probe.dll into the window's program"};
  }

  // The size the caption needs in the control's font, in a DC of the control; a wrapping static wraps at
  // its own width and needs its height.
  SIZE Need(HWND w, const Caption& c) const {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(w, measure_, c.format, c.wraps ? c.room.cx : 0, SMTO_ABORTIFHUNG, 5000, &ignored))
      throw Failure{"the control does not answer"};
    const auto packed = reinterpret_cast<uintptr_t>(GetPropW(w, caption_probe::kNeedProperty));
    SendMessageTimeoutW(w, forget_, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    if (!packed) throw Failure{"caption_probe did not measure \"" + Utf8(c.text) + "\""};
    return {LONG(packed & 0xFFFF), LONG(packed >> 16 & 0xFFFF)};
  }

 private:
  tkt::UniqueAny<HMODULE, FreeModule> module_;
  tkt::UniqueAny<HHOOK, Unhook> hook_;
  UINT measure_ = RegisterWindowMessageW(caption_probe::kMeasureMessage);
  UINT forget_ = RegisterWindowMessageW(caption_probe::kForgetMessage);
};

void CaptionsFit(Driver&, const Args& a) {
  const HWND top = Handle(a[1]);
  const CaptionProbe probe(top);
  std::string misfits;
  int measured = 0;
  for (HWND w : harness::FindChildren(top, [](HWND) { return true; })) {
    const std::optional<Caption> c = CaptionOf(w);
    if (!c) continue;
    ++measured;
    const SIZE need = probe.Need(w, *c);
    if (need.cx <= c->room.cx && need.cy <= c->room.cy) continue;
    misfits += "\n       \"" + Utf8(c->text) + "\" needs " + std::to_string(need.cx) + "x" + std::to_string(need.cy) +
               ", has " + std::to_string(c->room.cx) + "x" + std::to_string(c->room.cy);
  }
  if (measured == 0) throw Failure{"no captions under the window"};
  if (!misfits.empty()) throw Failure{"captions that do not fit:" + misfits};
}

// As the user's choice in a drop-down list: the entry chosen, and the parent told.
void Choose(Driver&, const Args& a) {
  const HWND combo = Handle(a[1]);
  // "*TEXT": the first entry that holds TEXT.
  const bool part = a[2].starts_with('*');
  const std::wstring text = Wide(part ? a[2].substr(1) : a[2]);
  LRESULT index = CB_ERR;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && index == CB_ERR; ++i) {
    std::wstring entry(size_t(SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
    entry.resize(size_t(SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(entry.data()))));
    if (part ? entry.find(text) != std::wstring::npos : entry == text) index = i;
  }
  if (index == CB_ERR) throw Failure{"no entry " + a[2]};
  SendMessageW(combo, CB_SETCURSEL, WPARAM(index), 0);
  PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

// As clicks on a scroll bar control: its parent hears WM_HSCROLL.
void Scroll(Driver&, const Args& a) {
  static const std::pair<const char*, WORD> kCodes[] = {
      {"lineleft", SB_LINELEFT}, {"lineright", SB_LINERIGHT}, {"pageleft", SB_PAGELEFT}, {"pageright", SB_PAGERIGHT}};
  const auto* code = std::find_if(std::begin(kCodes), std::end(kCodes), [&](const auto& c) { return a[2] == c.first; });
  if (code == std::end(kCodes)) throw Failure{"no scroll " + a[2]};
  const HWND bar = Handle(a[1]);
  for (long long i = a.size() > 3 ? Number(a[3]) : 1; i > 0; --i)
    PostMessageW(GetParent(bar), WM_HSCROLL, MAKEWPARAM(code->second, 0), reinterpret_cast<LPARAM>(bar));
}

const Command kWindowCommands[] = {
    {"start", 3, "PROC EXE DIR [ARGS]: starts EXE with DIR as its current directory, remembered as PROC",
     [](Driver& d, const Args& a) { d.Start(a[1], a[2], a[3], a.size() > 4 ? a[4] : std::string()); }},
    {"countwindows", 2, "VAR CLASS: VAR = how many visible top-level windows of CLASS there are, of any program",
     CountWindows},
    {"moveto", 3, "HWND X Y: moves a window's top-left corner to X, Y (screen pixels)",
     [](Driver&, const Args& a) {
       SetWindowPos(Handle(a[1]), nullptr, int(Number(a[2])), int(Number(a[3])), 0, 0,
                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
     }},
    {"fullscreen", 1, "HWND [DEADLINE]: a window of tktdrive's own covers the primary monitor, frameless, in front",
     [](Driver&, const Args& a) { FullScreen(a); }},
    {"waittopmost", 2, "HWND 0|1 [DEADLINE]: waits until the window is (1) or is not (0) in the topmost band",
     [](Driver&, const Args& a) { WaitTopmost(a); }},
    {"waitexit", 1, "PROC [DEADLINE]: waits until PROC has ended; PROC.code = its exit code", WaitExit},
    {"waitexitone", 3, "VAR PROC1 PROC2 [DEADLINE]: waits until one of the two has ended; VAR = the other's name",
     WaitExitOne},
    {"alive", 1, "PROC: fails unless PROC is still running",
     [](Driver& d, const Args& a) {
       if (!d.Program(a[1]).running()) throw Failure{a[1] + " has ended"};
     }},
    {"waitwindow", 4,
     "VAR PROC CLASS TITLE [DEADLINE]: a visible top-level window of PROC (\"*\" matches any class or title); "
     "VAR = its handle",
     WaitWindow},
    {"nowindow", 3, "PROC CLASS TITLE: fails if such a visible window exists now",
     [](Driver& d, const Args& a) {
       if (HWND w = FindTop(d.Program(a[1]).id(), a[2], a[3])) throw Failure{"found window " + Hex(w)};
     }},
    {"waitgone", 1, "HWND [DEADLINE]: waits until the window is hidden or destroyed",
     [](Driver&, const Args& a) {
       const HWND w = Handle(a[1]);
       if (!WaitUntil([&] { return !IsWindow(w) || !IsWindowVisible(w); }, Deadline(a, 2)))
         throw Failure{"the window is still there"};
     }},
    {"msgbox", 2,
     "VAR PROC [DEADLINE]: waits for a message box of PROC: VAR = handle, VAR.title, VAR.text, VAR.icon (1 when "
     "it shows an icon), VAR.buttons (\"OK|Cancel\" ...)",
     MessageBoxInfo},
    {"press", 2, "DIALOG BUTTONTEXT: clicks a button of a dialog by its text (ampersands ignored)", Press},
    {"defaultbutton", 2, "VAR DIALOG: VAR = the text of the button Enter presses", DefaultButton},
    {"rect", 2, "VAR HWND: VAR.left .top .right .bottom .width .height (screen pixels)", Rect},
    {"exstyle", 2, "VAR HWND: VAR.toolwindow, VAR.topmost, VAR.noactivate (0 or 1)", ExStyle},
    {"ownwindow", 1, "VAR [DEADLINE]: a small window of tktdrive's own, brought to the front; VAR = its handle",
     OwnWindowCommand},
    {"closeown", 1, "HWND: closes a window of tktdrive's own",
     [](Driver& d, const Args& a) { d.CloseOwnWindow(Handle(a[1])); }},
    {"foreground", 1, "VAR: VAR = the handle of the window in front (0 for none)",
     [](Driver& d, const Args& a) { d.Set(a[1], Hex(GetForegroundWindow())); }},
    {"waitforeground", 1, "HWND [DEADLINE]: waits until HWND is the window in front",
     [](Driver&, const Args& a) {
       if (!WaitUntil([&] { return GetForegroundWindow() == Handle(a[1]); }, Deadline(a, 2)))
         throw Failure{"the window is not in front; in front: " + Hex(GetForegroundWindow())};
     }},
    {"key", 1, "down|up|return|escape ...: real key presses through SendInput, in order",
     [](Driver&, const Args& a) { Key(a); }},
    {"screen", 1, "VAR: VAR.width .height of the primary screen",
     [](Driver& d, const Args& a) {
       d.Set(a[1] + ".width", std::to_string(GetSystemMetrics(SM_CXSCREEN)));
       d.Set(a[1] + ".height", std::to_string(GetSystemMetrics(SM_CYSCREEN)));
     }},
    {"enabled", 2, "VAR HWND: VAR = 1 when the window takes input, 0 when it is disabled",
     [](Driver& d, const Args& a) { d.Set(a[1], IsWindowEnabled(Handle(a[2])) ? "1" : "0"); }},
    {"waitenabled", 1, "HWND [DEADLINE]: waits until the window takes input again",
     [](Driver&, const Args& a) {
       if (!WaitUntil([&] { return IsWindowEnabled(Handle(a[1])) != FALSE; }, Deadline(a, 2)))
         throw Failure{"the window stays disabled"};
     }},
    // Input is routed when it is sent, so moves sent before a drag has begun go to whatever lies under the pointer.
    {"waitcapture", 1, "HWND [DEADLINE]: waits until HWND has captured the mouse", WaitCapture},
    {"waitrect", 3, "HWND LEFT TOP [DEADLINE]: waits until the window's top-left corner is at LEFT, TOP", WaitRect},
    {"child", 4,
     "VAR HWND CLASS TEXT [DEADLINE]: waits for a visible descendant of HWND (\"*\" matches any class or text); "
     "VAR = its handle",
     Child},
    {"children", 4, "VAR HWND CLASS TEXT: every visible such descendant, in creation order: VAR.count, VAR.0 ...",
     Children},
    // Posted, so that a message box it opens does not block us.
    {"click", 1, "HWND: clicks a button", [](Driver&, const Args& a) { Post(Handle(a[1]), BM_CLICK, 0); }},
    {"settext", 2, "HWND TEXT: sets a control's text, as typing into an edit field would", SetText},
    {"gettext", 2, "VAR HWND: VAR = a control's text, asked of its own program",
     [](Driver& d, const Args& a) { d.Set(a[1], Text(Handle(a[2]))); }},
    // TCM_SETCURFOCUS changes the page and notifies the parent, as a click on the tab does.
    {"tab", 2, "HWND INDEX: selects a page of a tab control; its parent hears of the change",
     [](Driver&, const Args& a) { Post(Handle(a[1]), 0x1330 /* TCM_SETCURFOCUS */, WPARAM(Number(a[2]))); }},
    {"choose", 2, "HWND TEXT: chooses the entry TEXT (\"*TEXT\": the first holding TEXT) of a drop-down list; its parent hears "
     "of the change", Choose},
    {"scroll", 2, "HWND lineleft|lineright|pageleft|pageright [COUNT]: clicks on a scroll bar, COUNT times",
     Scroll},
    {"captionsfit", 1,
     "HWND: fails listing every visible static, check box and option button under HWND whose text does not fit "
     "it in its own font (a wrapping static: its height at its width)",
     CaptionsFit},
    {"command", 2, "HWND ID: posts WM_COMMAND with a control id to a window (1 = OK of a dialog)",
     [](Driver&, const Args& a) { Post(Handle(a[1]), WM_COMMAND, MAKEWPARAM(WORD(Number(a[2])), BN_CLICKED)); }},
};

}  // namespace

std::span<const Command> WindowCommands() { return kWindowCommands; }

}  // namespace tktdrive
