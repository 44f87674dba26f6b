// Commands on the pixels a window shows on the screen, its region, and the pointer.
#include <algorithm>
#include <cstdlib>

#include "driver.h"
#include "face/display_scale.h"
#include "faceformat/bmp.h"

namespace tktdrive {

namespace {

faceformat::Image LoadBmp(const std::string& path) {
  auto img = faceformat::ReadBmpFile(std::filesystem::path(Wide(path)));
  if (!img) throw Failure{"cannot read " + path + ": " + img.error().what};
  return std::move(*img);
}

// Pixels of the rectangle L,T-R,B whose every channel is within `tol` of the colour.
int CountColor(const faceformat::Image& img, int l, int t, int r, int b, uint32_t rgb, int tol) {
  int n = 0;
  for (int y = std::max(t, 0); y < std::min(b, img.height); ++y)
    for (int x = std::max(l, 0); x < std::min(r, img.width); ++x) {
      const uint32_t p = img.at(x, y);
      if (std::abs(int(p >> 16 & 255) - int(rgb >> 16 & 255)) <= tol &&
          std::abs(int(p >> 8 & 255) - int(rgb >> 8 & 255)) <= tol && std::abs(int(p & 255) - int(rgb & 255)) <= tol)
        ++n;
    }
  return n;
}

// CountColor with the rectangle, colour and tolerance of a[from] to a[from + 5].
int CountColorOf(const faceformat::Image& img, const Args& a, size_t from) {
  return CountColor(img, int(Number(a[from])), int(Number(a[from + 1])), int(Number(a[from + 2])),
                    int(Number(a[from + 3])), uint32_t(std::stoul(a[from + 4], nullptr, 16)), int(Number(a[from + 5])));
}

void WaitCount(Driver&, const Args& a) {
  const std::string& op = a[8];
  if (op != "==" && op != ">=" && op != "<=") throw Failure{"unknown operator " + op};
  const long long want = Number(a[9]);
  long long got = -1;
  if (!harness::WaitUntil([&] {
        got = CountColorOf(harness::CaptureWindow(Handle(a[1])), a, 2);
        return op == "==" ? got == want : op == ">=" ? got >= want : got <= want;
      }, Deadline(a, 10)))
    throw Failure{"the count stayed " + std::to_string(got)};
}

// Per cent of the window's region pixels, outside the circle, equal to the bitmap's pixel there.
double FaceMatch(HWND w, const std::string& bmp, long long cx, long long cy, long long radius) {
  const faceformat::Image face = LoadBmp(bmp);
  const faceformat::Image shot = harness::CaptureWindow(w);
  tkt::GdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(w, rgn.get()) == ERROR) throw Failure{"the window has no region"};
  long long total = 0, same = 0;
  for (int y = 0; y < std::min(face.height, shot.height); ++y)
    for (int x = 0; x < std::min(face.width, shot.width); ++x) {
      if (!PtInRegion(rgn.get(), x, y)) continue;
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) continue;
      ++total;
      same += (face.at(x, y) & 0xFFFFFF) == shot.at(x, y);
    }
  if (total == 0) throw Failure{"no pixels to compare"};
  return double(same) * 100.0 / double(total);
}

void RegionFile(Driver&, const Args& a) {
  auto runs = faceformat::ReadRegionFile(std::filesystem::path(Wide(a[2])));
  if (!runs) throw Failure{"cannot read " + a[2] + ": " + runs.error().what};
  const int dpi = a.size() > 3 ? int(Number(a[3])) : tkt::kDesignDpi;
  const auto check = harness::CompareWindowRegion(Handle(a[1]), tkt::ScaleRegionRuns(*runs, dpi));
  if (!check.equal)
    throw Failure{"the window's region differs from " + a[2] + " (kind " + std::to_string(check.kind) + ")"};
}

void WaitRegion(Driver&, const Args& a) {
  auto runs = faceformat::ReadRegionFile(std::filesystem::path(Wide(a[2])));
  if (!runs) throw Failure{"cannot read " + a[2] + ": " + runs.error().what};
  const auto scaled = tkt::ScaleRegionRuns(*runs, int(Number(a[3])));
  if (!harness::WaitUntil([&] { return harness::CompareWindowRegion(Handle(a[1]), scaled).equal; }, Deadline(a, 4)))
    throw Failure{"the window's region is not that of " + a[2]};
}

// The region must stay that of the file all along: polled until MS have passed.
void HoldRegion(Driver&, const Args& a) {
  auto runs = faceformat::ReadRegionFile(std::filesystem::path(Wide(a[2])));
  if (!runs) throw Failure{"cannot read " + a[2] + ": " + runs.error().what};
  const auto scaled = tkt::ScaleRegionRuns(*runs, int(Number(a[3])));
  const auto changed = [&] { return !harness::CompareWindowRegion(Handle(a[1]), scaled).equal; };
  if (harness::WaitUntil(changed, std::chrono::milliseconds(Number(a[4]))))
    throw Failure{"the window's region changed from that of " + a[2]};
}

void NeedArguments(const Args& a, size_t n) {
  if (a.size() < n + 1) throw Failure{"needs " + std::to_string(n) + " arguments"};
}

// Under Wine a pointer motion the X server reports late, from where the pointer was before, can move it back
// after SendInput has moved it: a press sent then lands on the window that was under it (the last test's
// clock). So the pointer is moved again until it is seen to stay. While a popup menu tracks the pointer, the
// position another program reads does not follow at all: after a short while the press goes as it is.
void MoveTo(long long x, long long y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = LONG((x * 65535) / std::max(1, GetSystemMetrics(SM_CXSCREEN) - 1));
  in.mi.dy = LONG((y * 65535) / std::max(1, GetSystemMetrics(SM_CYSCREEN) - 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  int still = 0;
  harness::WaitUntil(
      [&] {
        POINT p{};
        GetCursorPos(&p);
        if (std::abs(p.x - x) > 1 || std::abs(p.y - y) > 1) {
          SendInput(1, &in, sizeof in);
          still = 0;
          return false;
        }
        return ++still >= 3;
      },
      std::chrono::milliseconds(600), std::chrono::milliseconds(20));
}

void Mouse(const Args& a) {
  if (a[1] == "move") {
    NeedArguments(a, 3);
    MoveTo(Number(a[2]), Number(a[3]));
    return;
  }
  NeedArguments(a, 2);
  DWORD down = 0, up = 0;
  if (a[2] == "left") down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
  else if (a[2] == "right") down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
  else if (a[2] == "middle") down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
  else throw Failure{"no button " + a[2]};
  if (a.size() >= 5) MoveTo(Number(a[3]), Number(a[4]));
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

void MenuItem(Driver&, const Args& a) {
  RECT r{};
  const long long index = Number(a[2]), count = Number(a[3]);
  if (!GetWindowRect(Handle(a[1]), &r) || count <= 0) throw Failure{"no menu"};
  const long long y = r.top + (r.bottom - r.top) * (2 * index + 1) / (2 * count);
  Mouse({"mouse", "click", "left", std::to_string((r.left + r.right) / 2), std::to_string(y)});
}

// A see-through window's alpha (0 to 255), or "none" when it is not layered.
std::string AlphaOf(HWND w) {
  BYTE alpha = 0;
  DWORD flags = 0;
  const bool layered = GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED;
  if (layered && GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) && (flags & LWA_ALPHA))
    return std::to_string(alpha);
  return "none";
}

void WaitAlpha(Driver&, const Args& a) {
  std::string got;
  if (!harness::WaitUntil([&] { return (got = AlphaOf(Handle(a[1]))) == a[2]; }, Deadline(a, 3)))
    throw Failure{"the alpha stayed " + got};
}

// "YYYY/MM/DD(曜) HH:MM" of UTC moved by `minutes`, as the system's own calendar gives it.
std::string ShiftedUtc(long long minutes) {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
  t.QuadPart += minutes * 600'000'000LL;
  ft = {t.LowPart, t.HighPart};
  SYSTEMTIME st;
  FileTimeToSystemTime(&ft, &st);
  static constexpr const wchar_t* kDays[] = {L"日", L"月", L"火", L"水", L"木", L"金", L"土"};
  wchar_t text[64];
  swprintf(text, 64, L"%04u/%02u/%02u(%ls) %02u:%02u", st.wYear, st.wMonth, st.wDay, kDays[st.wDayOfWeek], st.wHour,
           st.wMinute);
  return Utf8(text);
}

// The clock's tooltip, once shown, names the date and time of UTC + MINUTES (now, or a minute ago when the
// minute turned while looking).
void TipTime(Driver& d, const Args& a) {
  const DWORD pid = d.Program(a[2]).id();
  const long long minutes = Number(a[3]);
  std::string text;
  const bool shown = harness::WaitUntil(
      [&] {
        const HWND tip = harness::FindTopWindow(
            [&](HWND w) { return harness::ProcessOf(w) == pid && harness::HasClass(w, L"tooltips_class32"); });
        // Asked of the tooltip itself: GetWindowText does not ask another program's window.
        if (tip) text = Utf8(harness::ControlText(tip));
        return !text.empty();
      },
      Deadline(a, 4));
  if (!shown) throw Failure{"no tooltip"};
  std::replace(text.begin(), text.end(), '\r', '|');
  std::replace(text.begin(), text.end(), '\n', '|');
  d.Set(a[1], text);
  const std::string after = ShiftedUtc(minutes), before = ShiftedUtc(minutes - 1);
  if (text.find(after) == std::string::npos && text.find(before) == std::string::npos)
    throw Failure{"the tooltip \"" + text + "\" is not at " + after};
}

// Pixels of the rectangle L,T-R,B (window pixels) that differ between two windows on the screen.
int CountDiffering(const Args& a) {
  const faceformat::Image one = harness::CaptureWindow(Handle(a[1])), two = harness::CaptureWindow(Handle(a[2]));
  int n = 0;
  for (int y = int(Number(a[4])); y < Number(a[6]); ++y)
    for (int x = int(Number(a[3])); x < Number(a[5]); ++x) {
      const bool inOne = x < one.width && y < one.height, inTwo = x < two.width && y < two.height;
      if (inOne != inTwo || (inOne && one.at(x, y) != two.at(x, y))) ++n;
    }
  return n;
}

const Command kPixelCommands[] = {
    {"countcolor", 8,
     "VAR HWND L T R B RRGGBB TOL: VAR = pixels of the window's rectangle L,T-R,B whose every channel is within "
     "TOL of the colour",
     [](Driver& d, const Args& a) {
       d.Set(a[1], std::to_string(CountColorOf(harness::CaptureWindow(Handle(a[2])), a, 3)));
     }},
    {"countcolorbmp", 8, "VAR BMP L T R B RRGGBB TOL: the same over a bitmap file",
     [](Driver& d, const Args& a) { d.Set(a[1], std::to_string(CountColorOf(LoadBmp(a[2]), a, 3))); }},
    {"waitcount", 9, "HWND L T R B RRGGBB TOL OP N [DEADLINE]: waits until countcolor's count is OP N (== >= <=)",
     WaitCount},
    {"facematch", 6,
     "VAR HWND BMP CX CY RADIUS [MIN [DEADLINE]]: VAR = per cent of the window's region pixels (outside the "
     "circle CX,CY,RADIUS in window pixels) equal to the bitmap's pixel there; with MIN, waits until at least "
     "MIN per cent match (a window may show before its first paint)",
     [](Driver& d, const Args& a) {
       double match = 0;
       const auto measure = [&] {
         match = FaceMatch(Handle(a[2]), a[3], Number(a[4]), Number(a[5]), Number(a[6]));
         return a.size() <= 7 || match >= std::stod(a[7]);
       };
       harness::WaitUntil(measure, Deadline(a, 8));
       d.Set(a[1], std::to_string(match));
     }},
    {"waitchange", 1, "HWND [DEADLINE]: waits until the window's pixels on screen change",
     [](Driver&, const Args& a) {
       const HWND w = Handle(a[1]);
       const faceformat::Image first = harness::CaptureWindow(w);
       if (!harness::WaitUntil([&] { return !(harness::CaptureWindow(w) == first); }, Deadline(a, 2)))
         throw Failure{"nothing changed"};
     }},
    {"differ", 7, "VAR HWND1 HWND2 L T R B: VAR = how many pixels of the rectangle differ between the two windows",
     [](Driver& d, const Args& a) { d.Set(a[1], std::to_string(CountDiffering({a.begin() + 1, a.end()}))); }},
    {"waitsame", 6, "HWND1 HWND2 L T R B [DEADLINE]: waits until the rectangle shows the same in both windows",
     [](Driver&, const Args& a) {
       int n = 0;
       if (!harness::WaitUntil([&] { return (n = CountDiffering(a)) == 0; }, Deadline(a, 7)))
         throw Failure{std::to_string(n) + " pixels still differ"};
     }},
    {"regionfile", 2,
     "HWND RGP [DPI]: fails unless the window's region equals the union of the file's runs (scaled from 96 to "
     "DPI)",
     RegionFile},
    {"waitregion", 3, "HWND RGP DPI [DEADLINE]: waits until the window's region is that of the region file at DPI",
     WaitRegion},
    {"holdregion", 4, "HWND RGP DPI MS: fails if the window's region is not that of the region file at any time for MS",
     HoldRegion},
    {"mouse", 1, "move X Y | down|up|click left|right|middle [X Y]: real input through SendInput",
     [](Driver&, const Args& a) { Mouse(a); }},
    {"alpha", 2, "VAR HWND: VAR = the layered window's alpha, 0 to 255, or none when it is not layered",
     [](Driver& d, const Args& a) { d.Set(a[1], AlphaOf(Handle(a[2]))); }},
    {"waitalpha", 2, "HWND ALPHA [DEADLINE]: waits until the window's alpha (as alpha gives it) is ALPHA", WaitAlpha},
    {"tiptime", 3,
     "VAR PROC MINUTES [DEADLINE]: waits for PROC's tooltip; fails unless it shows the date and time of UTC + "
     "MINUTES; VAR = its text, lines joined by |",
     TipTime},
    {"menuitem", 3,
     "MENU INDEX COUNT: clicks the middle of item INDEX (from 0) of an open popup menu window of COUNT items of "
     "one height",
     MenuItem},
};

}  // namespace

std::span<const Command> PixelCommands() { return kPixelCommands; }

}  // namespace tktdrive
