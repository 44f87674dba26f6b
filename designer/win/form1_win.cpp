#include "form1_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "designer/win/ui_font.h"

namespace designer::win {

namespace {
constexpr UINT_PTR kTickTimer = 1;
constexpr int kFirstId = 1000;
constexpr int kCaptionIdOffset = 2000;
constexpr int kExitId = 999;

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

void Form1Window::DescribeClass(WNDCLASSEXW& wc) {
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  // Shared icons: the system owns them, for as long as the class lives.
  wc.hIcon = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                          GetSystemMetrics(SM_CYICON), LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

HWND Form1Window::Create() {
  form_.Form_Load();
  artwork_.SetBaseDir(form_.baseDir);
  const int w = TwipsToPixels(form_.Form1.width), h = TwipsToPixels(form_.Form1.height);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + std::max(0, int(work.right - work.left - w) / 2);
  const int y = work.top + std::max(0, int(work.bottom - work.top - h) / 2);
  CreateWindowOf(WS_EX_CONTROLPARENT, form_.Form1.caption.c_str(),
                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, x, y, w, h, nullptr);
  if (!hwnd_) return nullptr;
  Sync();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetFocus(tab_);  // arrow keys move between the pages, Tab walks the page's controls
  SetTimer(hwnd_, kTickTimer, UINT(form_.Timer1.interval), nullptr);
  return hwnd_;
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
    SetWindowPos(panels_[i].Create(display, hwnd_), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  const int exitW = 96, exitH = 26;
  const int exitY = tabY + tabH + std::max(2, int(client.bottom - tabY - tabH - exitH) / 2);
  exit_ = CreateWindowExW(0, L"BUTTON", form_.append.caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                          tabX + tabW - exitW, exitY, exitW, exitH, hwnd_,
                          reinterpret_cast<HMENU>(INT_PTR(kExitId)), instance, nullptr);
  SendMessageW(exit_, WM_SETFONT, WPARAM(font_.get()), FALSE);

  for (Placement& p : LayoutForm(form_)) bindings_.push_back(Binding{p, nullptr, nullptr, {}, -1, 0, -1, -1});
  for (size_t i = 0; i < bindings_.size(); ++i) {
    CreateControl(bindings_[i], PanelOf(PageOfFrame(bindings_[i].place.frame)), kFirstId + int(i));
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
  switch (c.Kind()) {
    case ControlKind::CheckBox:
      cls = L"BUTTON";
      style |= BS_CHECKBOX | WS_TABSTOP;
      if (b.place.look == Look::BoxOnly) text.clear();
      break;
    case ControlKind::OptionButton:
      cls = L"BUTTON";
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case ControlKind::ScrollBar:
      cls = L"SCROLLBAR";
      style |= SBS_HORZ | WS_TABSTOP;
      text.clear();
      break;
    case ControlKind::TextBox:
      cls = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      exStyle = WS_EX_CLIENTEDGE;
      text = As<TextBox>(c)->text;
      break;
    case ControlKind::CommandButton:
      cls = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::PictureBox:
      b.hwnd = preview_.Create(parent, box.x, box.y, box.w, box.h, id);
      return;
    case ControlKind::Label:
      cls = L"STATIC";
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    default:
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
  if (auto* check = As<CheckBox>(c)) {
    if (b.shownValue != check->value) SendMessageW(b.hwnd, BM_SETCHECK, check->value ? BST_CHECKED : BST_UNCHECKED, 0);
    b.shownValue = check->value;
  } else if (auto* option = As<OptionButton>(c)) {
    if (b.shownValue != int(option->value)) {
      SendMessageW(b.hwnd, BM_SETCHECK, option->value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    b.shownValue = int(option->value);
  } else if (auto* bar = As<ScrollBar>(c)) {
    if (b.shownValue != bar->value || b.shownMin != bar->min || b.shownMax != bar->max) {
      SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL, bar->min, bar->max, 0,
                    bar->value, 0};
      SetScrollInfo(b.hwnd, SB_CTL, &si, TRUE);
      b.shownValue = bar->value, b.shownMin = bar->min, b.shownMax = bar->max;
    }
  } else if (auto* field = As<TextBox>(c)) {
    if (TextOf(b.hwnd) != field->text) SetWindowTextW(b.hwnd, field->text.c_str());
  }
  const bool boxOnly = b.place.look == Look::BoxOnly;
  HWND captionWindow = boxOnly ? b.caption : b.hwnd;
  const ControlKind kind = c.Kind();
  const bool captioned =
      kind != ControlKind::TextBox && kind != ControlKind::ScrollBar && kind != ControlKind::PictureBox;
  if (captionWindow && captioned && b.shownText != c.caption) {
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
    ShowIf(PanelOf(i), frames[i]->visible);
    InvalidateRect(PanelOf(i), nullptr, TRUE);
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
    form_.append.Click();
    return true;
  }
  Binding* b = Find(from);
  if (!b) return false;
  Control& c = *b->place.control;
  if (auto* field = As<TextBox>(c)) {
    if (code == EN_CHANGE && !syncing_) field->text = TextOf(from);
    return true;
  }
  if (code != BN_CLICKED && code != STN_CLICKED) return false;
  if (auto* check = As<CheckBox>(c)) {
    check->Click();
  } else if (auto* option = As<OptionButton>(c)) {
    option->Click();
  } else if (auto* button = As<CommandButton>(c)) {
    button->Click();
  }
  Sync();
  return true;
}

void Form1Window::Scroll(HWND hwnd, int code) {
  Binding* b = Find(hwnd);
  auto* bar = b ? As<ScrollBar>(*b->place.control) : nullptr;
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

LRESULT Form1Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
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
