// Opens the platform's property frame for a PaintChip created by ProgID (as a form designer does)
// and reads what it shows through window enumeration: one tab "General" and the page's placeholder
// text. Prints what it found and closes the frame. Exit code 0 when both were seen.
#include <windows.h>

#include <commctrl.h>
#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

namespace {

constexpr wchar_t kPlaceholder[] = L"TODO: Place controls to manipulate properties of PaintChip Control on this dialog.";

struct Seen {
  std::wstring tabs;
  bool placeholder = false;
  int pageChildren = 0;
};

BOOL CALLBACK Inspect(HWND wnd, LPARAM lp) {
  auto* seen = reinterpret_cast<Seen*>(lp);
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  if (lstrcmpiW(cls, WC_TABCONTROLW) == 0) {
    const int n = static_cast<int>(SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t text[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      SendMessageW(wnd, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      seen->tabs += std::wstring(seen->tabs.empty() ? L"" : L"|") + text;
    }
  }
  wchar_t text[256] = {};
  GetWindowTextW(wnd, text, 256);
  if (lstrcmpW(text, kPlaceholder) == 0) {
    seen->placeholder = true;
    // The page holds only this text.
    for (HWND c = GetWindow(GetParent(wnd), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++seen->pageChildren;
  }
  return TRUE;
}

struct Find {
  HWND frame = nullptr;
};

BOOL CALLBACK FindFrame(HWND wnd, LPARAM lp) {
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  if (IsWindowVisible(wnd) && lstrcmpW(cls, L"#32770") == 0) {
    reinterpret_cast<Find*>(lp)->frame = wnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int wmain() {
  if (FAILED(OleInitialize(nullptr))) return 2;
  CLSID clsid{};
  IUnknown* control = nullptr;
  if (FAILED(CLSIDFromProgID(L"PAINTCHIP.PaintChipCtrl.1", &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&control)))) {
    std::printf("cannot create PAINTCHIP.PaintChipCtrl.1 (not registered?)\n");
    return 2;
  }
  ISpecifyPropertyPages* spp = nullptr;
  CAUUID pages{};
  if (FAILED(control->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&spp))) ||
      FAILED(spp->GetPages(&pages))) {
    std::printf("no property pages\n");
    return 2;
  }
  spp->Release();

  Seen seen;
  std::atomic<bool> frameSeen{false};
  const DWORD ui = GetCurrentThreadId();
  std::thread watcher([&] {
    // Poll with a deadline for the frame, look inside, close it.
    const ULONGLONG deadline = GetTickCount64() + 10000;
    Find find;
    while (!find.frame && GetTickCount64() < deadline) {
      EnumThreadWindows(ui, &FindFrame, reinterpret_cast<LPARAM>(&find));
      if (!find.frame) Sleep(20);
    }
    if (!find.frame) return;
    frameSeen = true;
    while (!seen.placeholder && GetTickCount64() < deadline) {
      seen = Seen{};
      EnumChildWindows(find.frame, &Inspect, reinterpret_cast<LPARAM>(&seen));
      if (!seen.placeholder) Sleep(20);
    }
    PostMessageW(find.frame, WM_COMMAND, IDCANCEL, 0);
  });
  IUnknown* objects[] = {control};
  const HRESULT hr = OleCreatePropertyFrame(nullptr, 10, 10, L"PaintChip", 1, objects, pages.cElems, pages.pElems,
                                            LOCALE_USER_DEFAULT, 0, nullptr);
  watcher.join();
  CoTaskMemFree(pages.pElems);
  control->Release();
  OleUninitialize();

  std::printf("frame %s, hr 0x%08lx\n", frameSeen ? "shown" : "not shown", static_cast<unsigned long>(hr));
  std::printf("tabs: %ls\n", seen.tabs.c_str());
  std::printf("placeholder text: %s, page children: %d\n", seen.placeholder ? "yes" : "no", seen.pageChildren);
  const bool ok = SUCCEEDED(hr) && frameSeen && seen.tabs == L"General" && seen.placeholder && seen.pageChildren == 1;
  return ok ? 0 : 1;
}
