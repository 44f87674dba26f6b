// tkttool.exe from the staged installation, driven from outside as a user would: the splash, then the main
// window, then the exit button. Every wait polls with a deadline. (The pages' work end to end is driven
// by the scripted cases of tests/e2e.)
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()>& condition, std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// A visible window of the process with the class name: top-level when `parent` is null, else a child
// (at any depth) with the text.
HWND FindWindowOf(DWORD pid, const wchar_t* cls, HWND parent = nullptr, const wchar_t* text = L"") {
  struct Search {
    DWORD pid;
    const wchar_t *cls, *text;
    HWND found;
  } s{pid, cls, text, nullptr};
  auto match = [](HWND hwnd, LPARAM lp) CALLBACK -> BOOL {
    auto* s = reinterpret_cast<Search*>(lp);
    wchar_t cls[64] = {}, text[256] = {};
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    GetClassNameW(hwnd, cls, 64);
    GetWindowTextW(hwnd, text, 256);
    if (pid != s->pid || !IsWindowVisible(hwnd) || lstrcmpiW(cls, s->cls) != 0) return TRUE;
    if (*s->text && lstrcmpW(text, s->text) != 0) return TRUE;
    s->found = hwnd;
    return FALSE;
  };
  if (parent) {
    EnumChildWindows(parent, match, reinterpret_cast<LPARAM>(&s));
  } else {
    EnumWindows(match, reinterpret_cast<LPARAM>(&s));
  }
  return s.found;
}

TEST(TkttoolEndToEnd, SplashThenMainWindowThenExit) {
  const std::wstring exe = std::filesystem::path(TKT_STAGE_DIR_WIN) / L"tkttool.exe";
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, TKT_STAGE_DIR_WIN, &si,
                             &pi));
  const auto started = Clock::now();
  struct Ending {
    PROCESS_INFORMATION& pi;
    ~Ending() {
      if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
      WaitForSingleObject(pi.hProcess, 5000);
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
  } ending{pi};

  HWND splash = nullptr, main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (splash = FindWindowOf(pi.dwProcessId, L"TktDesignerForm3")) != nullptr; },
                      std::chrono::seconds(30)));
  const auto splashSeen = Clock::now();
  EXPECT_EQ(FindWindowOf(pi.dwProcessId, L"TktDesignerForm1"), nullptr);
  RECT r;
  GetClientRect(splash, &r);
  EXPECT_EQ(r.right, 404);
  EXPECT_EQ(r.bottom, 272);

  ASSERT_TRUE(WaitFor([&] { return (main = FindWindowOf(pi.dwProcessId, L"TktDesignerForm1")) != nullptr; },
                      std::chrono::seconds(20)));
  using std::chrono::duration_cast, std::chrono::milliseconds;
  EXPECT_GE(duration_cast<milliseconds>(Clock::now() - splashSeen).count(), 2500)
      << "the main window comes after the splash's three seconds";
  EXPECT_LE(duration_cast<milliseconds>(Clock::now() - started).count(), 15000);
  EXPECT_FALSE(IsWindowVisible(splash));

  HWND exit = FindWindowOf(pi.dwProcessId, L"Button", main, L"終　了");
  ASSERT_NE(exit, nullptr);
  PostMessageW(exit, BM_CLICK, 0, 0);
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
