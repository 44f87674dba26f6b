#include "version_window.h"

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <random>
#include <utility>

#include "face/display_scale.h"
#include "base/units.h"
#include "menu_texts.h"
#include "wincommon/font.h"

namespace tkt {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr int kCloseId = IDCANCEL;  // Esc closes too
constexpr int kText1Id = 101;
constexpr COLORREF kCanvasGrey = RGB(192, 192, 192);

// Positions in twips, from the window's client area (the frame's parts already offset by the frame's corner).
struct TwipRect {
  int left, top, width, height;
};
constexpr int kClientWidth = 4395, kClientHeight = 2130;
constexpr TwipRect kFrame1{90, 90, 4215, 1965};
constexpr TwipRect InFrame(int left, int top, int width, int height) {
  return {kFrame1.left + left, kFrame1.top + top, width, height};
}
constexpr TwipRect kPicture1 = InFrame(70, 120, 4035, 735);
constexpr TwipRect kShape1 = InFrame(120, 1110, 4005, 795);
constexpr TwipRect kLabel2 = InFrame(2760, 900, 1140, 195);
constexpr TwipRect kLabel3 = InFrame(270, 1260, 1680, 240);
constexpr TwipRect kLabel4 = InFrame(960, 1500, 1545, 180);
constexpr TwipRect kText1 = InFrame(2640, 1200, 1335, 645);
constexpr TwipRect kClose = InFrame(2850, 1410, 1095, 405);

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

int Px(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }
RECT ClientRect(int dpi) { return {0, 0, Px(kClientWidth, dpi), Px(kClientHeight, dpi)}; }
RECT PxRect(const TwipRect& r, int dpi) {
  const int left = Px(r.left, dpi), top = Px(r.top, dpi);
  return {left, top, left + Px(r.width, dpi), top + Px(r.height, dpi)};
}

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontInstalled(const wchar_t* face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExW(WindowDc(nullptr).get(), &query, &NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The first installed face of the list; the font mapper picks one by character set and family otherwise.
HFONT CreateFontFrom(std::initializer_list<const wchar_t*> faces, double points, bool bold, BYTE charset, BYTE family,
                     int dpi) {
  const BasicFontLook<wchar_t> first{.name = *faces.begin(), .size = points, .bold = bold};
  LOGFONTW font = LogFontFor(first.name, first, dpi);
  font.lfCharSet = charset;
  font.lfPitchAndFamily = family;
  font.lfQuality = DEFAULT_QUALITY;
  for (const wchar_t* face : faces) {
    if (FontInstalled(face)) {
      lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
      break;
    }
  }
  return CreateFontIndirectW(&font);
}

// "ＭＳ Ｐゴシック" where Windows has it, an installed Japanese proportional gothic elsewhere.
HFONT CreateGothic(double points, bool bold, int dpi) {
  return CreateFontFrom({L"ＭＳ Ｐゴシック", L"MS PGothic", L"IPAPGothic", L"IPAexGothic", L"Meiryo UI",
                         L"Yu Gothic UI", L"IPAGothic"},
                        points, bold, SHIFTJIS_CHARSET, VARIABLE_PITCH | FF_SWISS, dpi);
}

// The logo at `dpi` through the face's own filter (the logo has no pure white to be taken for a cut-away).
faceformat::Image ScaledLogo(HBITMAP logo, int width, int height, int dpi) {
  faceformat::Image source(width, height);
  BITMAPINFO info = Bgra32Info(width, -height);
  GetDIBits(WindowDc(nullptr).get(), logo, 0, UINT(height), source.pixels.data(), &info, DIB_RGB_COLORS);
  for (uint32_t& p : source.pixels) p &= 0x00FFFFFF;
  return ScalePicture(source, dpi);
}

RandomSource ClockSeededRandom() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  auto engine = std::make_shared<std::mt19937>(static_cast<uint32_t>(counter.QuadPart ^ (counter.QuadPart >> 32)));
  return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

}  // namespace

VersionWindow* VersionWindow::Create(HWND owner, RandomSource random) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  std::unique_ptr<VersionWindow> made(new VersionWindow());
  made->owner_ = owner;

  // Centred on the screen (the owner is the hidden menu form), sized for the DPI of the monitor there; the
  // window checks its size against its own DPI once it exists.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int dpi = DpiAt({(work.left + work.right) / 2, (work.top + work.bottom) / 2});
  const RECT frame = WindowRectForClient(ClientRect(dpi), kStyle, kExStyle, dpi);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  VersionWindow* self = CreateOwned(std::move(made), kExStyle, kVersionCaption, kStyle,
                                    work.left + (work.right - work.left - width) / 2,
                                    work.top + (work.bottom - work.top - height) / 2, width, height, owner);
  if (!self) return nullptr;

  // Creation order is tab order and, among overlapping siblings, top first: the button lies on the text box.
  // Layout places them.
  auto child = [&](DWORD ex, const wchar_t* cls, const wchar_t* text, DWORD childStyle, int id) {
    return CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | childStyle, 0, 0, 0, 0,
                           self->hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  self->close_ = child(0, L"BUTTON", kCloseText, WS_TABSTOP | BS_DEFPUSHBUTTON, kCloseId);
  self->text1_ = child(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kText1Id);
  self->canvas_.Create(RECT{}, self->hwnd_);
  self->Layout();

  self->random_ = random ? std::move(random) : ClockSeededRandom();
  self->Form_Load();
  ShowWindow(self->hwnd_, SW_SHOW);
  SetFocus(self->close_);
  return self;
}

void VersionWindow::Layout() {
  const int dpi = this->dpi();
  RECT client{}, outer{};
  GetClientRect(hwnd_, &client);
  GetWindowRect(hwnd_, &outer);
  const RECT want = ClientRect(dpi);
  if (client.right != want.right || client.bottom != want.bottom) {
    // The frame as it is, whatever the system's metrics for this DPI say.
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left - client.right + want.right,
                 outer.bottom - outer.top - client.bottom + want.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The controls let go of their old fonts before these are deleted.
  GdiObject<HFONT> closeFont(CreateFontFrom({L"Times New Roman", L"Liberation Serif", L"DejaVu Serif"}, 12, true,
                                            ANSI_CHARSET, VARIABLE_PITCH | FF_ROMAN, dpi));
  GdiObject<HFONT> makerFont(CreateGothic(9, false, dpi));
  SendMessageW(close_, WM_SETFONT, reinterpret_cast<WPARAM>(closeFont.get()), FALSE);
  SendMessageW(text1_, WM_SETFONT, reinterpret_cast<WPARAM>(makerFont.get()), FALSE);
  closeFont_ = std::move(closeFont);
  makerFont_ = std::move(makerFont);
  versionFont_.reset(CreateGothic(9.75, true, dpi));
  rightsFont_.reset(CreateFontFrom({L"Century", L"Century Schoolbook", L"Liberation Serif", L"DejaVu Serif"}, 9,
                                   false, ANSI_CHARSET, VARIABLE_PITCH | FF_ROMAN, dpi));
  auto place = [](HWND wnd, const RECT& r) {
    SetWindowPos(wnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(close_, PxRect(kClose, dpi));
  place(text1_, PxRect(kText1, dpi));
  place(canvas_.hwnd(), PxRect(kPicture1, dpi));
  InvalidateRect(hwnd_, nullptr, FALSE);
  InvalidateRect(close_, nullptr, TRUE);
  InvalidateRect(text1_, nullptr, TRUE);
}

void VersionWindow::OnDpiChanged(int, const RECT& suggested) {
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (!animation_) return;  // still being made: Create lays it out
  Layout();
  // The logo again at the new scale, standing complete: a second scatter would only distract.
  Form_Load();
  animation_->PaintLogo("");
  Refresh();
  if (timerRunning_) KillTimer(hwnd_, kTimer1);
  timerRunning_ = false;
}

void VersionWindow::ShowModal(HWND owner, HWND alsoDisabled, RandomSource random) {
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  const bool otherWasEnabled = alsoDisabled && IsWindowEnabled(alsoDisabled);
  if (owner) EnableWindow(owner, FALSE);
  if (alsoDisabled) EnableWindow(alsoDisabled, FALSE);
  bool closed = false;
  if (VersionWindow* self = Create(owner, std::move(random))) {
    self->closedFlag_ = &closed;
    HWND window = self->hwnd_;
    MSG msg{};
    while (!closed) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got <= 0) {
        // Leave the quit request for the program's own loop.
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        if (IsWindow(window)) DestroyWindow(window);
        break;
      }
      if (!IsDialogMessageW(window, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  if (alsoDisabled && otherWasEnabled) EnableWindow(alsoDisabled, TRUE);
  if (owner && ownerWasEnabled) EnableWindow(owner, TRUE);
}

void VersionWindow::Form_Load() {
  LoadLogo();
  RECT inner{};
  GetClientRect(canvas_.hwnd(), &inner);
  imageDc_.reset();  // lets go of the old image first
  image_ = DibSection::Create(std::max<LONG>(inner.right, 1), std::max<LONG>(inner.bottom, 1));
  imageDc_.emplace(WindowDc(nullptr).get());
  imageDc_->Select(image_.bitmap.get());
  animation_ = std::make_unique<LogoAnimation>(logoWidth_, logoHeight_, inner.right, inner.bottom,
                                               static_cast<LogoCanvas&>(*this), random_, dpi());
  Refresh();
  if (animation_->AnimState == LogoAnimation::kAnimating) timerRunning_ = SetTimer(hwnd_, kTimer1, 1, nullptr) != 0;
}

void VersionWindow::LoadLogo() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  GdiObject<HBITMAP> loaded(static_cast<HBITMAP>(
      LoadImageW(instance, L"TKT_LOGO", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP info{};
  if (loaded) GetObjectW(loaded.get(), sizeof info, &info);
  const int dpi = this->dpi();
  std::optional<faceformat::Image> scaled;
  if (loaded && dpi != kDesignDpi) scaled = ScaledLogo(loaded.get(), info.bmWidth, std::abs(info.bmHeight), dpi);
  logoWidth_ = scaled ? scaled->width : loaded ? info.bmWidth : ScaleFromPixels96(269);
  logoHeight_ = scaled ? scaled->height : loaded ? std::abs(info.bmHeight) : ScaleFromPixels96(50);

  // The grid's last column and row reach past the logo; there the blocks show its background.
  const int block = LogoAnimation::BlockAt(dpi);
  const int paddedWidth = (logoWidth_ / block + 2) * block;
  const int paddedHeight = (logoHeight_ / block + 2) * block;
  WindowDc screen(nullptr);
  logoDc_.emplace(screen.get());  // lets go of the old logo first
  logo_ = DibSection::Create(paddedWidth, paddedHeight);
  logoDc_->Select(logo_.bitmap.get());
  if (loaded) {
    MemoryDc source(screen.get());
    source.Select(loaded.get());
    const COLORREF background = GetPixel(source.get(), 0, 0);
    GdiObject<HBRUSH> fill(CreateSolidBrush(background));
    RECT all{0, 0, paddedWidth, paddedHeight};
    FillRect(logoDc_->get(), &all, fill.get());
    if (scaled && logo_) {
      GdiFlush();
      for (int y = 0; y < logoHeight_; ++y)
        std::copy_n(&scaled->pixels[size_t(y) * size_t(logoWidth_)], logoWidth_, logo_.pixels + size_t(y) * paddedWidth);
    } else {
      BitBlt(logoDc_->get(), 0, 0, logoWidth_, logoHeight_, source.get(), 0, 0, SRCCOPY);
    }
  } else {
    // No logo compiled in: the product name on the logo's grey.
    GdiObject<HBRUSH> fill(CreateSolidBrush(kCanvasGrey));
    RECT all{0, 0, paddedWidth, paddedHeight};
    FillRect(logoDc_->get(), &all, fill.get());
    SetBkMode(logoDc_->get(), TRANSPARENT);
    SelectGuard font(logoDc_->get(), versionFont_.get());
    RECT text{0, 0, logoWidth_, logoHeight_};
    DrawTextW(logoDc_->get(), L"Tocktide", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void VersionWindow::Clear() { PatBlt(imageDc_->get(), 0, 0, image_.width, image_.height, BLACKNESS); }

void VersionWindow::CopyFromLogo(int srcX, int srcY, int width, int height, int dstX, int dstY) {
  BitBlt(imageDc_->get(), dstX, dstY, width, height, logoDc_->get(), srcX, srcY, SRCCOPY);
}

void VersionWindow::Refresh() {
  GdiFlush();
  InvalidateRect(canvas_.hwnd(), nullptr, FALSE);
  UpdateWindow(canvas_.hwnd());
}

void VersionWindow::Timer1_Timer() {
  animation_->Timer1_Timer();
  // Nothing is left to draw: later ticks would only return at once.
  if (animation_->AnimState == LogoAnimation::kIdle && timerRunning_) {
    KillTimer(hwnd_, kTimer1);
    timerRunning_ = false;
  }
}

void VersionWindow::PaintContent(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  RECT frame = PxRect(kFrame1, dpi());
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const RECT shape = PxRect(kShape1, dpi());
  {
    // A line one pixel wide at 96 DPI, inside the shape's bounds at any scale.
    GdiObject<HPEN> wide(ScaleFromPixels96(1) > 1 ? CreatePen(PS_INSIDEFRAME, ScaleFromPixels96(1), RGB(0, 0, 0)) : nullptr);
    SelectGuard pen(dc, wide ? static_cast<HGDIOBJ>(wide.get()) : GetStockObject(BLACK_PEN));
    SelectGuard brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, shape.left, shape.top, shape.right, shape.bottom);
  }
  SetBkMode(dc, TRANSPARENT);
  auto label = [&](const TwipRect& at, const wchar_t* text, HFONT font, COLORREF color) {
    RECT r = PxRect(at, dpi());
    SelectGuard select(dc, font);
    SetTextColor(dc, color);
    // One line, never cut: a substitute font may run a little wider than the one the layout was made for.
    DrawTextW(dc, text, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
  };
  label(kLabel2, kVersionText, versionFont_.get(), RGB(255, 0, 0));
  label(kLabel3, kRightsText, rightsFont_.get(), GetSysColor(COLOR_BTNTEXT));
  label(kLabel4, kMakerText, makerFont_.get(), GetSysColor(COLOR_BTNTEXT));
}

void VersionWindow::CloseWindow() {
  // The owner takes the activation back only while it is enabled.
  if (closedFlag_ && owner_) EnableWindow(owner_, TRUE);
  DestroyWindow(hwnd_);
}

LRESULT VersionWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintScope paint(hwnd_);
      RECT client{};
      GetClientRect(hwnd_, &client);
      // The bitmap before the DC: the DC lets go of it before the bitmap is deleted.
      GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.dc(), client.right, client.bottom));
      MemoryDc buffer(paint.dc());
      buffer.Select(bitmap.get());
      PaintContent(buffer.get(), client);
      BitBlt(paint.dc(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(hwnd_, &client);
      PaintContent(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      if (wParam == kTimer1) Timer1_Timer();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCloseId || LOWORD(wParam) == IDOK) CloseWindow();
      return 0;
    case WM_CLOSE:
      CloseWindow();
      return 0;
    case WM_DESTROY:
      if (timerRunning_) KillTimer(hwnd_, kTimer1);
      timerRunning_ = false;
      return 0;
    case WM_NCDESTROY:
      if (closedFlag_) *closedFlag_ = true;
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

HWND VersionWindow::CanvasWindow::Create(const RECT& at, HWND parent) {
  return CreateWindowOf(WS_EX_CLIENTEDGE, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, at.left, at.top,
                        at.right - at.left, at.bottom - at.top, parent);
}

LRESULT VersionWindow::CanvasWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintScope paint(hwnd_);
      BitBlt(paint.dc(), 0, 0, owner_.image_.width, owner_.image_.height, owner_.imageDc_->get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_PRINTCLIENT:
      BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, owner_.image_.width, owner_.image_.height, owner_.imageDc_->get(),
             0, 0, SRCCOPY);
      return 0;
    case WM_ERASEBKGND:
      return 1;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace tkt
