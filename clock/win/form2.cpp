#include "form2.h"

#include <shellapi.h>

#include <utility>
#include <vector>

#include "clock_setter_win.h"
#include "menu_texts.h"
#include "version_window.h"
#include "wincommon/platform_numbers_check.h"
#include "wincommon/process.h"

namespace tkt {
namespace {

int64_t PerformanceCounterMicros() {
  static const int64_t frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<int64_t>(f.QuadPart);
  }();
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<int64_t>(counter.QuadPart / frequency * 1'000'000 +
                              counter.QuadPart % frequency * 1'000'000 / frequency);
}

// Keeps the clock window from taking input while a command holds the user in a box or window.
class ClockDisabled {
 public:
  explicit ClockDisabled(HWND clock) : clock_(clock) {
    if (clock_ && IsWindowEnabled(clock_)) EnableWindow(clock_, FALSE);
    else clock_ = nullptr;
  }
  ~ClockDisabled() {
    if (clock_ && IsWindow(clock_)) EnableWindow(clock_, TRUE);
  }
  ClockDisabled(const ClockDisabled&) = delete;
  ClockDisabled& operator=(const ClockDisabled&) = delete;

 private:
  HWND clock_;
};

// The clock never keeps the keyboard: the window that was in front when a menu or box of ours opened gets the
// front back when it ends, unless the user has chosen another window meanwhile. `form` is the menu form.
class ForegroundReturn {
 public:
  explicit ForegroundReturn(HWND form) : before_(GetForegroundWindow()) {
    if (before_ && (before_ == form || GetAncestor(before_, GA_ROOTOWNER) == form)) before_ = nullptr;
  }
  ~ForegroundReturn() {
    const HWND now = GetForegroundWindow();
    if (before_ && now != before_ && IsWindow(before_) && OursOrGone(now)) SetForegroundWindow(before_);
  }
  ForegroundReturn(const ForegroundReturn&) = delete;
  ForegroundReturn& operator=(const ForegroundReturn&) = delete;

 private:
  static bool OursOrGone(HWND window) {
    DWORD process = 0;
    return !window || !GetWindowThreadProcessId(window, &process) || process == GetCurrentProcessId();
  }
  HWND before_;
};

}  // namespace

int WinMessageBoxes::Show(const std::wstring& text, const std::wstring& title, unsigned style) {
  // The clock stays on top of other windows; its boxes must not open behind it.
  ForegroundReturn back(owner_);
  return MessageBoxW(owner_, text.c_str(), title.c_str(), style | MB_SETFOREGROUND | MB_TOPMOST);
}

void Form2::DescribeClass(WNDCLASSEXW& wc) {
  wc.hCursor = nullptr;
}

Form2* Form2::Create(HWND clockWindow, ClockWindowLink& clock, MenuFormOptions options) {
  Form2* self = CreateOwned(std::unique_ptr<Form2>(new Form2(clockWindow)), WS_EX_TOOLWINDOW, kMenuFormCaption,
                            WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr);
  if (!self) return nullptr;
  HWND window = self->hwnd_;

  // mnuFILE hangs in a menu bar that is never seen, as the form itself never is.
  HMENU bar = CreateMenu();
  self->popup_ = CreatePopupMenu();
  for (size_t i = 0; i < kMenuItems.size(); ++i) {
    AppendMenuW(self->popup_, MF_STRING, kFirstCommandId + i, kMenuItems[i].caption);
  }
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(self->popup_), kMnuFileCaption);
  SetMenu(window, bar);

  MessageService* boxes = options.boxes;
  if (!boxes) {
    self->ownBoxes_ = std::make_unique<WinMessageBoxes>(window);
    boxes = self->ownBoxes_.get();
  }
  self->socket_ = std::make_unique<WinsockSntpSocket>(window, kSocketMessage);
  ClockSetter setClock = options.setClock ? std::move(options.setClock) : ClockSetter(&SetSystemClockUtc);
  MonotonicMicros now = options.now ? std::move(options.now) : MonotonicMicros(&PerformanceCounterMicros);
  self->sntp_ = std::make_unique<SntpCommand>(*self->socket_, *boxes, std::move(setClock), std::move(now),
                                              std::move(options.server));
  self->form_ = std::make_unique<MenuForm>(static_cast<MenuHost&>(*self), clock, *boxes, *self->sntp_);
  self->form_->Form_Load();
  return self;
}

void Form2::ShowPopupMenu(POINT screen) {
  if (busy_) return;
  // A menu of a window that is not in the foreground would not close when the user clicks elsewhere, nor
  // take the keys. The clock never comes to the front by a click, so its menu brings its owner there.
  ForegroundReturn back(hwnd_);
  SetForegroundWindow(hwnd_);
  const UINT id = TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, screen.x,
                                 screen.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  if (id >= kFirstCommandId && id < kFirstCommandId + kMenuItems.size()) {
    Click(kMenuItems[id - kFirstCommandId].command);
  }
}

void Form2::Click(MenuCommand command) {
  if (busy_) return;
  if (command == MenuCommand::mnuExit) {
    // The clock window may be the one whose mouse handler brought us here: unload it from a clean stack.
    PostMessageW(hwnd_, kExitMessage, 0, 0);
    return;
  }
  busy_ = true;
  {
    ClockDisabled disabled(ClockWindow());
    form_->Click(command);
  }
  busy_ = false;
}

LRESULT Form2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kSocketMessage:
      if (socket_ && sntp_) socket_->OnSocketMessage(wParam, lParam, *sntp_);
      return 0;
    case kExitMessage:
      if (!busy_) form_->Click(MenuCommand::mnuExit);
      return 0;
    case WM_DESTROY:
      if (form_) form_->Form_Unload();
      // The menu form goes last: with the clock window gone no window is left, and the program ends.
      if (!ClockWindow()) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

std::wstring Form2::CurrentDirectory() { return tkt::CurrentDirectory(); }

std::optional<std::wstring> Form2::Environment(const std::wstring& name) {
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  if (length == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::wstring();
  }
  std::wstring value(length, L'\0');
  const DWORD got = GetEnvironmentVariableW(name.c_str(), value.data(), length);
  value.resize(got < length ? got : 0);
  return value;
}

bool Form2::StartProgram(const std::wstring& path) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  KernelHandle thread(process.hThread), started(process.hProcess);
  return true;
}

void Form2::EndProcess() { ExitProcess(0); }

bool Form2::FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Form2::OpenDocument(const std::wstring& path) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

void Form2::ShowVersionWindow() { VersionWindow::ShowModal(hwnd_, ClockWindow()); }

void Form2::UnloadMenuForm() { DestroyWindow(hwnd_); }

}  // namespace tkt
