// tkttool.exe from the staged installation, driven from outside as a user would: splash, main window,
// pages, the kaichu template in the preview, and the exit button. Every wait polls with a deadline.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "faceformat/bmp.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (Clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return condition();
}

std::wstring TextOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetWindowTextW(hwnd, buffer, 256);
  return buffer;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buffer[64] = {};
  GetClassNameW(hwnd, buffer, 64);
  return buffer;
}

class Designer {
 public:
  Designer() {
    const std::wstring exe = fs::path(TKT_STAGE_DIR_WIN) / L"tkttool.exe";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + exe + L"\"";
    started_ = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, TKT_STAGE_DIR_WIN,
                              &si, &pi_);
    startedAt_ = Clock::now();
  }
  ~Designer() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
    WaitForSingleObject(pi_.hProcess, 5000);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  bool started() const { return started_ != FALSE; }
  HANDLE process() const { return pi_.hProcess; }
  Clock::time_point startedAt() const { return startedAt_; }

  // A visible top-level window of the process with this class.
  HWND TopLevel(const wchar_t* cls) const {
    struct Search {
      DWORD pid;
      const wchar_t* cls;
      HWND found;
    } search{pi_.dwProcessId, cls, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) CALLBACK -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          DWORD pid = 0;
          GetWindowThreadProcessId(hwnd, &pid);
          if (pid == s->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == s->cls) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // The first child (at any depth) matching class and, when given, text.
  static HWND Child(HWND parent, const std::wstring& cls, const std::wstring& text = L"") {
    struct Search {
      const std::wstring& cls;
      const std::wstring& text;
      HWND found;
    } search{cls, text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lp) CALLBACK -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          if (lstrcmpiW(ClassOf(hwnd).c_str(), s->cls.c_str()) == 0 && (s->text.empty() || TextOf(hwnd) == s->text)) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  // Tab captions through memory in the designer's process: TCM_GETITEM's pointers must be valid there.
  std::vector<std::wstring> TabCaptions(HWND tab) const {
    std::vector<std::wstring> captions;
    const int count = int(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    const SIZE_T textBytes = 128 * sizeof(wchar_t);
    void* remote = VirtualAllocEx(pi_.hProcess, nullptr, sizeof(TCITEMW) + textBytes, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return captions;
    auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(TCITEMW));
    for (int i = 0; i < count; ++i) {
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = remoteText;
      item.cchTextMax = 128;
      WriteProcessMemory(pi_.hProcess, remote, &item, sizeof item, nullptr);
      SendMessageW(tab, TCM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(remote));
      wchar_t text[128] = {};
      ReadProcessMemory(pi_.hProcess, remoteText, text, textBytes, nullptr);
      captions.emplace_back(text);
    }
    VirtualFreeEx(pi_.hProcess, remote, 0, MEM_RELEASE);
    return captions;
  }

 private:
  PROCESS_INFORMATION pi_{};
  BOOL started_ = FALSE;
  Clock::time_point startedAt_;
};

// What the screen shows inside a window's client area.
faceformat::Image Capture(HWND hwnd, int w, int h) {
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
  faceformat::Image image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      image.at(x, y) = faceformat::Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return image;
}

constexpr wchar_t kSplashClass[] = L"TktDesignerForm3";
constexpr wchar_t kMainClass[] = L"TktDesignerForm1";

TEST(TkttoolEndToEnd, SplashThenMainWindowWithItsPagesThenExit) {
  Designer app;
  ASSERT_TRUE(app.started());
  HWND splash = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (splash = app.TopLevel(kSplashClass)) != nullptr; }, std::chrono::seconds(30)));
  const auto splashSeen = Clock::now();
  EXPECT_EQ(app.TopLevel(kMainClass), nullptr);
  RECT r;
  GetClientRect(splash, &r);
  EXPECT_EQ(r.right, 404);
  EXPECT_EQ(r.bottom, 272);

  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = app.TopLevel(kMainClass)) != nullptr; }, std::chrono::seconds(20)));
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - splashSeen).count();
  EXPECT_GE(waited, 2500) << "the main window comes after the splash's three seconds";
  EXPECT_LE(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - app.startedAt()).count(), 15000);
  EXPECT_FALSE(IsWindowVisible(splash));
  EXPECT_EQ(TextOf(main), L"Tocktide v2.0 - TOOL");

  HWND tab = Designer::Child(main, WC_TABCONTROLW);
  ASSERT_NE(tab, nullptr);
  const std::vector<std::wstring> expected = {L"時計選択", L"基本設定", L"作　　成", L"情　　報"};
  EXPECT_EQ(app.TabCaptions(tab), expected);

  HWND exit = Designer::Child(main, L"Button", L"終　了");
  ASSERT_NE(exit, nullptr);
  PostMessageW(exit, BM_CLICK, 0, 0);
  ASSERT_EQ(WaitForSingleObject(app.process(), 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(app.process(), &code);
  EXPECT_EQ(code, 0u);
}

TEST(TkttoolEndToEnd, KaichuTemplateShowsItsPictureAndHandColours) {
  Designer app;
  ASSERT_TRUE(app.started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = app.TopLevel(kMainClass)) != nullptr; }, std::chrono::seconds(40)));
  HWND templates = Designer::Child(main, L"Button", L"サンプルの時計から選ぶ");
  ASSERT_NE(templates, nullptr);
  SendMessageW(templates, BM_CLICK, 0, 0);
  HWND kaichu = Designer::Child(main, L"Button", L"１．懐中時計");
  ASSERT_NE(kaichu, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(kaichu) != FALSE; }, std::chrono::seconds(5)));
  SendMessageW(kaichu, BM_CLICK, 0, 0);
  // Without a pointer into the other process: the focus message selects the page and notifies the window.
  SendMessageW(Designer::Child(main, WC_TABCONTROLW), TCM_SETCURFOCUS, 1, 0);

  HWND preview = Designer::Child(main, L"TktPreview");
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(preview) != FALSE; }, std::chrono::seconds(5)));
  auto face = faceformat::ReadBmpFile(fs::path(TKT_STAGE_DIR_WIN) / L"sample" / L"kaichu.bmp");
  ASSERT_TRUE(face.ok()) << "the staged sample kaichu.bmp";

  // Pixels of a hand colour that the picture itself does not have there.
  auto handPixels = [&](const faceformat::Image& shown, uint32_t color) {
    int n = 0;
    for (int y = 0; y < 180; ++y) {
      for (int x = 0; x < 180; ++x) n += shown.at(x, y) == color && face->at(x, y) != color;
    }
    return n;
  };
  faceformat::Image shown;
  const bool ok = WaitFor(
      [&] {
        shown = Capture(preview, 180, 180);
        return shown.at(10, 170) == face->at(10, 170) && shown.at(170, 10) == face->at(170, 10) &&
               handPixels(shown, faceformat::Rgb(239, 239, 239)) >= 5 &&
               handPixels(shown, faceformat::Rgb(223, 223, 223)) >= 5 && shown.at(90, 90) == faceformat::Rgb(64, 0, 0);
      },
      std::chrono::seconds(10));
  EXPECT_TRUE(ok) << "corner " << std::hex << shown.at(10, 170) << " vs " << face->at(10, 170) << ", centre "
                  << shown.at(90, 90);
}

}  // namespace
