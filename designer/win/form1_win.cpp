#include "form1_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <algorithm>

#include "designer/model/texts.h"
#include "designer/win/ui_font.h"

namespace designer::win {

namespace {
constexpr wchar_t kFormClass[] = L"TktDesignerForm1";
constexpr wchar_t kPanelClass[] = L"TktDesignerPage";
constexpr UINT_PTR kTickTimer = 1;
constexpr int kFirstId = 1000;
constexpr int kCaptionIdOffset = 2000;
constexpr int kExitId = 999;

// Visible itself and in every container below its page frame (the frame's panel shows the rest).
bool VisibleOnPage(const Control& c, const Control* frame) {
  for (const Control* p = &c; p && p != frame; p = p->container) {
    if (!p->visible) return false;
  }
  return true;
}

bool HasStyle(HWND hwnd, LONG style) { return (GetWindowLongW(hwnd, GWL_STYLE) & style) != 0; }

void ShowIf(HWND hwnd, bool show) {
  if (hwnd && HasStyle(hwnd, WS_VISIBLE) != show) ShowWindow(hwnd, show ? SW_SHOWNA : SW_HIDE);
}

void EnableIf(HWND hwnd, bool enable) {
  if (hwnd && (IsWindowEnabled(hwnd) != FALSE) != enable) EnableWindow(hwnd, enable);
}

std::wstring TextOf(HWND hwnd) {
  std::wstring text(size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
  return text;
}
}  // namespace

Form1Window::Form1Window(DesignerForm& form, Artwork& artwork)
    : form_(form), artwork_(artwork), preview_(form, artwork, [this] { Sync(); }) {}

void Form1Window::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                          GetSystemMetrics(SM_CYICON), 0));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  RegisterClassExW(&wc);
  WNDCLASSEXW panel{};
  panel.cbSize = sizeof panel;
  panel.lpfnWndProc = PanelProc;
  panel.hInstance = instance;
  panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  panel.lpszClassName = kPanelClass;
  RegisterClassExW(&panel);
  PreviewWindow::Register(instance);
}

HWND Form1Window::Create() {
  form_.Form_Load();
  artwork_.SetBaseDir(form_.baseDir);
  const int w = TwipsToPixels(form_.Form1.width), h = TwipsToPixels(form_.Form1.height);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + std::max(0, int(work.right - work.left - w) / 2);
  const int y = work.top + std::max(0, int(work.bottom - work.top - h) / 2);
  CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, form_.Form1.caption.c_str(),
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, x, y, w, h, nullptr,
                  nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) return nullptr;
  Sync();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetFocus(tab_);  // arrow keys move between the pages, Tab walks the page's controls
  SetTimer(hwnd_, kTickTimer, UINT(form_.Timer1.interval), nullptr);
  return hwnd_;
}

LRESULT CALLBACK Form1Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Form1Window::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  }
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->HandlePanel(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

int Form1Window::PageOfFrame(const Control* frame) const {
  const Control* frames[] = {&form_.Frame1, &form_.Frame2, &form_.Frame3, &form_.Frame4};
  for (int i = 0; i < 4; ++i) {
    if (frames[i] == frame) return i;
  }
  return 0;
}

void Form1Window::CreateChildren() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  LOGFONTW normal = PickUiFont(FW_NORMAL), bold = PickUiFont(FW_BOLD);
  font_.reset(CreateFontIndirectW(&normal));
  boldFont_.reset(CreateFontIndirectW(&bold));
  pageColor_ = GetSysColor(IsAppThemed() ? COLOR_WINDOW : COLOR_BTNFACE);
  pageBrush_.reset(CreateSolidBrush(pageColor_));
  fieldBrush_.reset(CreateSolidBrush(tkt::ToColorRef(form_.PS_Text1.backColor)));

  RECT client;
  GetClientRect(hwnd_, &client);
  // The page control keeps its height and left edge; its right margin matches the left one.
  const int tabX = TwipsToPixels(form_.MultiPage1.left), tabY = TwipsToPixels(form_.MultiPage1.top);
  const int tabW = client.right - 2 * tabX, tabH = TwipsToPixels(form_.MultiPage1.height);
  tab_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_TOOLTIPS,
                         tabX, tabY, tabW, tabH, hwnd_, nullptr, instance, nullptr);
  SendMessageW(tab_, WM_SETFONT, WPARAM(font_.get()), FALSE);
  TabCtrl_SetPadding(tab_, 14, 4);
  for (size_t i = 0; i < form_.MultiPage1.pages.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(form_.MultiPage1.pages[i].caption.c_str());
    TabCtrl_InsertItem(tab_, int(i), &item);
  }
  RECT display{0, 0, tabW, tabH};
  TabCtrl_AdjustRect(tab_, FALSE, &display);
  OffsetRect(&display, tabX, tabY);
  for (int i = 0; i < 4; ++i) {
    panels_[i] = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                 display.left, display.top, display.right - display.left,
                                 display.bottom - display.top, hwnd_, nullptr, instance, this);
    SetWindowPos(panels_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  const int exitW = 96, exitH = 26;
  const int exitY = tabY + tabH + std::max(2, int(client.bottom - tabY - tabH - exitH) / 2);
  exit_ = CreateWindowExW(0, L"BUTTON", form_.append.caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                          tabX + tabW - exitW, exitY, exitW, exitH, hwnd_,
                          reinterpret_cast<HMENU>(INT_PTR(kExitId)), instance, nullptr);
  SendMessageW(exit_, WM_SETFONT, WPARAM(font_.get()), FALSE);

  for (Placement& p : LayoutForm(form_)) bindings_.push_back(Binding{p, nullptr, nullptr, {}, -1, 0, -1, -1});
  for (size_t i = 0; i < bindings_.size(); ++i) {
    CreateControl(bindings_[i], panels_[PageOfFrame(bindings_[i].place.frame)], kFirstId + int(i));
  }
  AddTooltips();
}

void Form1Window::CreateControl(Binding& b, HWND parent, int id) {
  Control& c = *b.place.control;
  const PixelBox& box = b.place.box;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const HMENU menuId = reinterpret_cast<HMENU>(INT_PTR(id));
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  const wchar_t* cls = nullptr;
  DWORD style = child;
  DWORD exStyle = 0;
  std::wstring text = c.caption;
  if (dynamic_cast<CheckBox*>(&c)) {
    cls = L"BUTTON";
    style |= BS_CHECKBOX | WS_TABSTOP;
    if (b.place.look == Look::BoxOnly) text.clear();
  } else if (dynamic_cast<OptionButton*>(&c)) {
    cls = L"BUTTON";
    style |= BS_RADIOBUTTON | WS_TABSTOP;
  } else if (auto* bar = dynamic_cast<ScrollBar*>(&c)) {
    cls = L"SCROLLBAR";
    style |= SBS_HORZ | WS_TABSTOP;
    text.clear();
    (void)bar;
  } else if (auto* field = dynamic_cast<TextBox*>(&c)) {
    cls = L"EDIT";
    style |= ES_AUTOHSCROLL | WS_TABSTOP;
    exStyle = WS_EX_CLIENTEDGE;
    text = field->text;
  } else if (dynamic_cast<CommandButton*>(&c)) {
    cls = L"BUTTON";
    style |= BS_PUSHBUTTON | WS_TABSTOP;
  } else if (dynamic_cast<PictureBox*>(&c)) {
    b.hwnd = preview_.Create(parent, box.x, box.y, box.w, box.h, id);
    return;
  } else if (dynamic_cast<Label*>(&c)) {
    cls = L"STATIC";
    style |= SS_LEFT | SS_NOPREFIX;
  } else {
    return;  // shapes, pictures and containers: the panel paints them
  }
  b.hwnd = CreateWindowExW(exStyle, cls, text.c_str(), style, box.x, box.y, box.w, box.h, parent, menuId, instance,
                           nullptr);
  b.shownText = text;
  HFONT font = b.place.look == Look::Heading ? boldFont_.get() : font_.get();
  SendMessageW(b.hwnd, WM_SETFONT, WPARAM(font), FALSE);
  if (b.place.captionBox) {
    const PixelBox& cb = *b.place.captionBox;
    b.caption = CreateWindowExW(0, L"STATIC", c.caption.c_str(), child | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, cb.x,
                                cb.y, cb.w, cb.h, parent, reinterpret_cast<HMENU>(INT_PTR(id + kCaptionIdOffset)),
                                instance, nullptr);
    SendMessageW(b.caption, WM_SETFONT, WPARAM(font_.get()), FALSE);
  }
}

void Form1Window::AddTooltips() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance,
                             nullptr);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 360);
  SendMessageW(tooltip_, WM_SETFONT, WPARAM(font_.get()), FALSE);
  for (Binding& b : bindings_) {
    if (b.place.control->tip.empty() || !b.hwnd) continue;
    for (HWND tool : {b.hwnd, b.caption}) {
      if (!tool) continue;
      TOOLINFOW ti{};
      ti.cbSize = sizeof ti;
      ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      ti.hwnd = GetParent(tool);
      ti.uId = reinterpret_cast<UINT_PTR>(tool);
      ti.lpszText = const_cast<wchar_t*>(b.place.control->tip.c_str());
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
  }
  if (HWND tabTips = TabCtrl_GetToolTips(tab_)) SendMessageW(tabTips, WM_SETFONT, WPARAM(font_.get()), FALSE);
}

Form1Window::Binding* Form1Window::Find(HWND hwnd) {
  for (Binding& b : bindings_) {
    if (b.hwnd == hwnd || (b.caption && b.caption == hwnd)) return &b;
  }
  return nullptr;
}

HWND Form1Window::WindowOf(const Control& control) const {
  if (&control == &form_.append) return exit_;
  if (&control == &form_.MultiPage1) return tab_;
  for (const Binding& b : bindings_) {
    if (b.place.control == &control) return b.hwnd;
  }
  return nullptr;
}

void Form1Window::SyncBinding(Binding& b) {
  Control& c = *b.place.control;
  if (!b.hwnd) return;
  const bool visible = VisibleOnPage(c, b.place.frame);
  ShowIf(b.hwnd, visible);
  ShowIf(b.caption, visible);
  EnableIf(b.hwnd, c.enabled);
  EnableIf(b.caption, c.enabled);
  if (auto* check = dynamic_cast<CheckBox*>(&c)) {
    if (b.shownValue != check->value) SendMessageW(b.hwnd, BM_SETCHECK, check->value ? BST_CHECKED : BST_UNCHECKED, 0);
    b.shownValue = check->value;
  } else if (auto* option = dynamic_cast<OptionButton*>(&c)) {
    if (b.shownValue != int(option->value)) {
      SendMessageW(b.hwnd, BM_SETCHECK, option->value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    b.shownValue = int(option->value);
  } else if (auto* bar = dynamic_cast<ScrollBar*>(&c)) {
    if (b.shownValue != bar->value || b.shownMin != bar->min || b.shownMax != bar->max) {
      SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL, bar->min, bar->max, 0,
                    bar->value, 0};
      SetScrollInfo(b.hwnd, SB_CTL, &si, TRUE);
      b.shownValue = bar->value, b.shownMin = bar->min, b.shownMax = bar->max;
    }
  } else if (auto* field = dynamic_cast<TextBox*>(&c)) {
    if (TextOf(b.hwnd) != field->text) SetWindowTextW(b.hwnd, field->text.c_str());
  }
  const bool boxOnly = b.place.look == Look::BoxOnly;
  HWND captionWindow = boxOnly ? b.caption : b.hwnd;
  if (captionWindow && !dynamic_cast<TextBox*>(&c) && !dynamic_cast<ScrollBar*>(&c) &&
      !dynamic_cast<PictureBox*>(&c) && b.shownText != c.caption) {
    SetWindowTextW(captionWindow, c.caption.c_str());
    b.shownText = c.caption;
  }
  // Text colours come from WM_CTLCOLORSTATIC; repaint when the model's colour moves.
  if (b.shownColor != c.foreColor) {
    b.shownColor = c.foreColor;
    if (captionWindow) InvalidateRect(captionWindow, nullptr, TRUE);
  }
}

void Form1Window::Sync() {
  if (!hwnd_ || syncing_) return;
  syncing_ = true;
  if (TabCtrl_GetCurSel(tab_) != form_.MultiPage1.value) TabCtrl_SetCurSel(tab_, form_.MultiPage1.value);
  const Control* frames[] = {&form_.Frame1, &form_.Frame2, &form_.Frame3, &form_.Frame4};
  for (Binding& b : bindings_) SyncBinding(b);
  for (int i = 0; i < 4; ++i) {
    ShowIf(panels_[i], frames[i]->visible);
    InvalidateRect(panels_[i], nullptr, TRUE);
  }
  preview_.Refresh();
  syncing_ = false;
}

void Form1Window::Tick() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  form_.Timer1_Timer({now.wHour, now.wMinute, now.wSecond});
  preview_.Refresh();
}

bool Form1Window::Command(HWND from, int code) {
  if (from == exit_ && code == BN_CLICKED) {
    ExitProcess(0);  // at once: no unloading, no questions
  }
  Binding* b = Find(from);
  if (!b) return false;
  Control& c = *b->place.control;
  if (auto* field = dynamic_cast<TextBox*>(&c)) {
    if (code == EN_CHANGE && !syncing_) field->text = TextOf(from);
    return true;
  }
  if (code != BN_CLICKED && code != STN_CLICKED) return false;
  if (auto* check = dynamic_cast<CheckBox*>(&c)) {
    check->Click();
  } else if (auto* option = dynamic_cast<OptionButton*>(&c)) {
    option->Click();
  } else if (auto* button = dynamic_cast<CommandButton*>(&c)) {
    button->Click();
  }
  Sync();
  return true;
}

void Form1Window::Scroll(HWND hwnd, int code) {
  Binding* b = Find(hwnd);
  auto* bar = b ? dynamic_cast<ScrollBar*>(b->place.control) : nullptr;
  if (!bar) return;
  switch (code) {
    case SB_LINELEFT: bar->ScrollBy(-bar->smallChange); break;
    case SB_LINERIGHT: bar->ScrollBy(bar->smallChange); break;
    case SB_PAGELEFT: bar->ScrollBy(-bar->largeChange); break;
    case SB_PAGERIGHT: bar->ScrollBy(bar->largeChange); break;
    case SB_LEFT: bar->ScrollBy(bar->min - bar->value); break;
    case SB_RIGHT: bar->ScrollBy(bar->max - bar->value); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd, SB_CTL, &si);
      bar->ScrollBy(std::clamp(si.nTrackPos, bar->min, bar->max) - bar->value);
      break;
    }
    default: return;
  }
  Sync();
}

LRESULT Form1Window::ControlColor(HDC dc, HWND child, bool edit) {
  Binding* b = Find(child);
  if (b) {
    if (auto* field = dynamic_cast<TextBox*>(b->place.control)) {
      SetBkColor(dc, tkt::ToColorRef(field->backColor));
      SetTextColor(dc, GetSysColor(field->enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
      return reinterpret_cast<LRESULT>(fieldBrush_.get());
    }
    SetTextColor(dc, tkt::ToColorRef(b->place.control->foreColor));
  }
  (void)edit;
  SetBkColor(dc, pageColor_);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(pageBrush_.get());
}

void Form1Window::PaintPanel(HWND panel, HDC dc) {
  for (Binding& b : bindings_) {
    if (b.hwnd || panels_[PageOfFrame(b.place.frame)] != panel) continue;
    Control& c = *b.place.control;
    if (!VisibleOnPage(c, b.place.frame)) continue;
    RECT r{b.place.box.x, b.place.box.y, b.place.box.right(), b.place.box.bottom()};
    if (b.place.look == Look::Outline) {
      DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    } else if (auto* shape = dynamic_cast<Shape*>(&c); shape && b.place.look == Look::Swatch) {
      tkt::GdiObject<HBRUSH> fill(CreateSolidBrush(tkt::ToColorRef(shape->fillColor)));
      FillRect(dc, &r, fill.get());
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    } else if (auto* image = dynamic_cast<ImageBox*>(&c)) {
      if (image->resource == "icon") {
        if (HICON icon = artwork_.Icon(b.place.box.w)) {
          DrawIconEx(dc, r.left, r.top, icon, b.place.box.w, b.place.box.h, 0, nullptr, DI_NORMAL);
        }
      } else if (const faceformat::Image* picture = artwork_.Picture(image->resource)) {
        DrawImageScaled(dc, *picture, r);
      }
    }
  }
}

// The pictures beside the options choose them, as a click on the option's caption would.
void Form1Window::ClickPanel(HWND panel, POINT at) {
  const std::pair<ImageBox*, OptionButton*> pairs[] = {
      {&form_.Image1, &form_.Option1},       {&form_.Image2, &form_.Option2},
      {&form_.sampleThumb3, &form_.Option3}, {&form_.sampleThumb4, &form_.Option4},
      {&form_.sampleThumb5, &form_.Option5}, {&form_.sampleThumb6, &form_.Option6}};
  for (Binding& b : bindings_) {
    if (b.hwnd || panels_[PageOfFrame(b.place.frame)] != panel) continue;
    RECT r{b.place.box.x, b.place.box.y, b.place.box.right(), b.place.box.bottom()};
    if (!PtInRect(&r, at) || !VisibleOnPage(*b.place.control, b.place.frame)) continue;
    for (auto& [image, option] : pairs) {
      if (b.place.control == image) {
        option->Click();
        Sync();
        return;
      }
    }
  }
}

void Form1Window::OpenHelp() {
  const std::wstring& path = form_.helpFile;
  const bool present = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  const auto result = present ? INT_PTR(ShellExecuteW(hwnd_, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL))
                              : INT_PTR(0);
  if (result <= 32) {
    const std::wstring text = std::wstring(text::kHelpMissing) + L"\r\n" + path;
    MessageBoxW(hwnd_, text.c_str(), form_.appTitle.c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
}

LRESULT Form1Window::HandlePanel(HWND panel, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(panel, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, pageBrush_.get());
      return 1;
    }
    case WM_PAINT: {
      tkt::PaintScope paint(panel);
      PaintPanel(panel, paint.dc());
      return 0;
    }
    case WM_LBUTTONDOWN:
      ClickPanel(panel, {short(LOWORD(lp)), short(HIWORD(lp))});
      return 0;
    case WM_COMMAND:
      if (Command(reinterpret_cast<HWND>(lp), HIWORD(wp))) return 0;
      break;
    case WM_HSCROLL:
      Scroll(reinterpret_cast<HWND>(lp), LOWORD(wp));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), false);
    case WM_CTLCOLOREDIT:
      return ControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), true);
    case WM_CTLCOLORSCROLLBAR:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
  }
  return DefWindowProcW(panel, msg, wp, lp);
}

LRESULT Form1Window::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      CreateChildren();
      return 0;
    case WM_COMMAND:
      if (Command(reinterpret_cast<HWND>(lp), HIWORD(wp))) return 0;
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (hdr->hwndFrom == tab_ && hdr->code == TCN_SELCHANGE) {
        form_.MultiPage1.SetValue(TabCtrl_GetCurSel(tab_));
        Sync();
        return 0;
      }
      if (hdr->code == TTN_GETDISPINFOW && hdr->hwndFrom == TabCtrl_GetToolTips(tab_)) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
        if (hdr->idFrom < form_.MultiPage1.pages.size()) {
          info->lpszText = const_cast<wchar_t*>(form_.MultiPage1.pages[hdr->idFrom].tip.c_str());
        }
        return 0;
      }
      break;
    }
    case WM_TIMER:
      if (wp == kTickTimer) Tick();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, kTickTimer);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace designer::win
