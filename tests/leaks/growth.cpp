#include "growth.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>

#include "harness.h"

namespace tkt::growth {

namespace {

// Wine accepts a GDI handle's table index without its generation bits, so every live object answers here.
long CountGdiObjects() {
  long n = 0;
  for (uintptr_t i = 1; i < 0x10000; ++i) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++n;
  }
  return n;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, CountChild, count);
  return TRUE;
}

// Windows of this thread with all their descendants, message-only windows of this process, and menus
// (their handles are in the process's own table, so probing them is cheap; windows are not).
long CountUserObjects() {
  long n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&n));
  const DWORD self = GetCurrentProcessId();
  for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;) {
    DWORD pid = 0;
    if (GetWindowThreadProcessId(w, &pid) && pid == self) ++n;
  }
  for (uintptr_t i = 0x20; i < 0x10000; i += 2) {
    if (IsMenu(reinterpret_cast<HMENU>(i))) ++n;
  }
  return n;
}

int64_t CommittedPrivateBytes() {
  int64_t total = 0;
  MEMORY_BASIC_INFORMATION info;
  const char* at = nullptr;
  while (VirtualQuery(at, &info, sizeof info) == sizeof info) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += int64_t(info.RegionSize);
    const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

int CountThreads() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 t{};
  t.dwSize = sizeof t;
  int n = 0;
  for (BOOL more = Thread32First(snap, &t); more; more = Thread32Next(snap, &t)) {
    if (t.th32OwnerProcessID == GetCurrentProcessId()) ++n;
  }
  CloseHandle(snap);
  return n;
}

// Work handed to other threads (an asynchronous sound, say) holds memory and handles only while it runs:
// each count waits, up to a deadline, until the threads that were there before are the only ones left.
void SettleThreads(int threads) {
  harness::WaitUntil([&] {
    PumpMessages();
    return CountThreads() <= threads;
  }, std::chrono::seconds(5), std::chrono::milliseconds(10));
}

HHOOK g_hook = nullptr;
int g_answered = 0;

LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) {
    HWND w = reinterpret_cast<HWND>(wp);
    if (harness::HasClass(w, L"#32770")) {
      PostMessageW(w, WM_COMMAND, IDOK, 0);
      ++g_answered;
    }
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

}  // namespace

Usage Measure() {
  Usage u;
  HANDLE self = GetCurrentProcess();
  SetLastError(0);
  u.gdiObjects = long(GetGuiResources(self, GR_GDIOBJECTS));
  const bool haveGuiResources = !(u.gdiObjects == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED);
  if (haveGuiResources) {
    u.userObjects = long(GetGuiResources(self, GR_USEROBJECTS));
  } else {
    u.gdiObjects = CountGdiObjects();
    u.userObjects = CountUserObjects();
  }
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  if (GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc))
    u.privateBytes = int64_t(pmc.PrivateUsage);
  if (u.privateBytes == 0) u.privateBytes = CommittedPrivateBytes();
  return u;
}

Growth Run(const std::string& name, int warmUp, int rounds, const std::function<void(int)>& round) {
  const int threads = CountThreads();
  for (int i = 0; i < warmUp; ++i) round(i);
  PumpMessages();
  Growth g;
  SettleThreads(threads);
  g.before = Measure();
  for (int i = 0; i < rounds; ++i) round(warmUp + i);
  PumpMessages();
  SettleThreads(threads);
  g.after = Measure();
  std::printf("[growth] %s: %d rounds: GDI objects %ld -> %ld (%+ld), USER objects %ld -> %ld (%+ld), "
              "private bytes %lld -> %lld (%+lld)\n",
              name.c_str(), rounds, g.before.gdiObjects, g.after.gdiObjects, g.gdi(), g.before.userObjects,
              g.after.userObjects, g.user(), (long long)g.before.privateBytes, (long long)g.after.privateBytes,
              (long long)g.bytes());
  std::fflush(stdout);
  return g;
}

void PumpMessages() {
  MSG msg;
  for (int guard = 0; guard < 10000; ++guard) {
    if (!PeekMessageW(&msg, nullptr, 0, WM_TIMER - 1, PM_REMOVE) &&
        !PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE))
      break;
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

AnswerMessageBoxes::AnswerMessageBoxes() {
  hook_ = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
  g_hook = hook_;
}

AnswerMessageBoxes::~AnswerMessageBoxes() {
  if (hook_) UnhookWindowsHookEx(hook_);
  g_hook = nullptr;
}

int AnswerMessageBoxes::answered() { return g_answered; }

}  // namespace tkt::growth
