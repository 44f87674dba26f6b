#include "form1_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "designer/win/scaled_box.h"
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
  // Shared icons: the system owns them, for as long as the class lives. Each window sets its own at its DPI.
  const int dpi = tkt::SystemDpi();
  wc.hIcon = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                          tkt::SystemMetricForDpi(SM_CXICON, dpi),
                                          tkt::SystemMetricForDpi(SM_CYICON, dpi), LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                            tkt::SystemMetricForDpi(SM_CXSMICON, dpi),
                                            tkt::SystemMetricForDpi(SM_CYSMICON, dpi), LR_SHARED));
}

// The form's outer size is in twips; the frame around the client area is taken at 96 DPI, so the client
// area scales and the frame is the monitor's own.
Form1Window::Frame Form1Window::FrameAt96() const {
  Frame f;
  const RECT edges = tkt::WindowRectForClient({0, 0, 0, 0}, kStyle, kExStyle, tkt::kDesignDpi);
  f.clientW = TwipsToPixels(form_.Form1.width) - (edges.right - edges.left);
  f.clientH = TwipsToPixels(form_.Form1.height) - (edges.bottom - edges.top);
  // The page control keeps its height and left edge; its right margin matches the left one.
  const int tabX = TwipsToPixels(form_.MultiPage1.left), tabY = TwipsToPixels(form_.MultiPage1.top);
  f.tab = {tabX, tabY, f.clientW - 2 * tabX, TwipsToPixels(form_.MultiPage1.height)};
  const int exitW = 96, exitH = 26;
  f.exit = {f.tab.right() - exitW, f.tab.bottom() + std::max(2, (f.clientH - f.tab.bottom() - exitH) / 2), exitW,
            exitH};
  return f;
}

SIZE Form1Window::WindowSizeAt(int dpi) const {
  const Frame f = FrameAt96();
  const RECT r = tkt::WindowRectForClient(
      {0, 0, tkt::ScaleFromPixels96(f.clientW, dpi), tkt::ScaleFromPixels96(f.clientH, dpi)}, kStyle, kExStyle, dpi);
  return {r.right - r.left, r.bottom - r.top};
}

HWND Form1Window::Create() {
  form_.Form_Load();
  artwork_.SetBaseDir(form_.baseDir);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  if (!CreateWindowOf(kExStyle, form_.Form1.caption.c_str(), kStyle, work.left, work.top, 0, 0, nullptr))
    return nullptr;
  // Sized once the window knows its monitor's DPI, centred on the work area.
  const SIZE size = WindowSizeAt(dpi());
  const int x = work.left + std::max(0, int(work.right - work.left - size.cx) / 2);
  const int y = work.top + std::max(0, int(work.bottom - work.top - size.cy) / 2);
  SetWindowPos(hwnd_, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  Sync();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  SetFocus(tab_);  // arrow keys move between the pages, Tab walks the page's controls
  SetTimer(hwnd_, kTickTimer, UINT(form_.Timer1.interval), nullptr);
  return hwnd_;
}

int Form1Window::PageOfFrame(const Control* frame) const {
  const Control* frames[] = {&form_.Frame1, &form_.Frame2, &form_.Frame3, &form_.Frame4, &form_.Frame5};
  for (int i = 0; i < kPages; ++i) {
    if (frames[i] == frame) return i;
  }
  return 0;
}

// Children are made without a place; LayOut gives them their places and fonts.
void Form1Window::CreateChildren() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  pageColor_ = GetSysColor(IsAppThemed() ? COLOR_WINDOW : COLOR_BTNFACE);
  pageBrush_.reset(CreateSolidBrush(pageColor_));
  fieldBrush_.reset(CreateSolidBrush(tkt::ToColorRef(form_.PS_Text1.backColor)));

  tab_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_TOOLTIPS,
                         0, 0, 0, 0, hwnd_, nullptr, instance, nullptr);
  for (size_t i = 0; i < form_.MultiPage1.pages.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(form_.MultiPage1.pages[i].caption.c_str());
    TabCtrl_InsertItem(tab_, int(i), &item);
  }
  for (int i = 0; i < kPages; ++i) {
    SetWindowPos(panels_[i].Create({0, 0, 0, 0}, hwnd_), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  exit_ = CreateWindowExW(0, L"BUTTON", form_.append.caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0,
                          0, hwnd_, reinterpret_cast<HMENU>(INT_PTR(kExitId)), instance, nullptr);

  for (Placement& p : LayoutForm(form_)) bindings_.push_back(Binding{p, nullptr, nullptr, {}, -1, 0, -1, -1, {}});
  for (size_t i = 0; i < bindings_.size(); ++i) {
    CreateControl(bindings_[i], PanelOf(PageOfFrame(bindings_[i].place.frame)), kFirstId + int(i));
  }
  AddTooltips();
  LayOut();
}

RECT Form1Window::BoxOf(const Placement& p) const { return ScaledRect(p.box, dpi()); }

void Form1Window::LayOut() {
  LOGFONTW normal = PickUiFont(FW_NORMAL, dpi()), bold = PickUiFont(FW_BOLD, dpi());
  tkt::GdiObject<HFONT> oldFont = std::move(font_), oldBold = std::move(boldFont_);  // until nothing uses them
  font_.reset(CreateFontIndirectW(&normal));
  boldFont_.reset(CreateFontIndirectW(&bold));
  for (int size : {SM_CXSMICON, SM_CXICON}) {
    if (HICON icon = artwork_.Icon(tkt::SystemMetricForDpi(size, dpi())))
      SendMessageW(hwnd_, WM_SETICON, size == SM_CXICON ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }

  const Frame f = FrameAt96();
  // The padding first: the page control measures its tabs when its font is set.
  TabCtrl_SetPadding(tab_, ScaleFromPixels96(14), ScaleFromPixels96(4));
  SendMessageW(tab_, WM_SETFONT, WPARAM(font_.get()), FALSE);
  const RECT tab = ScaledRect(f.tab, dpi());
  MoveTo(tab_, tab);
  RECT display{0, 0, tab.right - tab.left, tab.bottom - tab.top};
  TabCtrl_AdjustRect(tab_, FALSE, &display);
  OffsetRect(&display, tab.left, tab.top);
  for (PagePanel& panel : panels_) MoveTo(panel.hwnd(), display);
  SendMessageW(exit_, WM_SETFONT, WPARAM(font_.get()), FALSE);
  MoveTo(exit_, ScaledRect(f.exit, dpi()));

  for (Binding& b : bindings_) {
    if (!b.hwnd) continue;
    if (b.place.control == &form_.OLGPic1) {
      preview_.Place(BoxOf(b.place), dpi());
      continue;
    }
    SendMessageW(b.hwnd, WM_SETFONT, WPARAM(b.place.look == Look::Heading ? boldFont_.get() : font_.get()), FALSE);
    RECT box = BoxOf(b.place);
    // A combo box's window holds its dropped list too.
    if (b.place.control->Kind() == ControlKind::ComboBox) box.bottom += ScaleFromPixels96(240);
    MoveTo(b.hwnd, box);
    if (b.caption) {
      SendMessageW(b.caption, WM_SETFONT, WPARAM(font_.get()), FALSE);
      MoveTo(b.caption, ScaledRect(*b.place.captionBox, dpi()));
    }
  }
  SendMessageW(tooltip_, WM_SETFONT, WPARAM(font_.get()), FALSE);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ScaleFromPixels96(360));
  if (HWND tabTips = TabCtrl_GetToolTips(tab_)) SendMessageW(tabTips, WM_SETFONT, WPARAM(font_.get()), FALSE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// Laid out again in place: the same children keep their state, the model keeps the document.
void Form1Window::OnDpiChanged(int, const RECT& suggested) {
  LayOut();
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  preview_.Refresh();
}

void Form1Window::CreateControl(Binding& b, HWND parent, int id) {
  Control& c = *b.place.control;
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
    case ControlKind::ComboBox:
      cls = WC_COMBOBOXW;
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      text.clear();
      break;
    case ControlKind::PictureBox:
      b.hwnd = preview_.Create(parent, id);
      return;
    case ControlKind::Label:
      cls = L"STATIC";
      style |= SS_LEFT | SS_NOPREFIX;
      break;
    default:
      return;  // shapes, pictures and containers: the panel paints them
  }
  b.hwnd = CreateWindowExW(exStyle, cls, text.c_str(), style, 0, 0, 0, 0, parent, menuId, instance, nullptr);
  b.shownText = text;
  if (b.place.captionBox) {
    b.caption = CreateWindowExW(0, L"STATIC", c.caption.c_str(), child | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, 0, 0,
                                0, parent, reinterpret_cast<HMENU>(INT_PTR(id + kCaptionIdOffset)), instance,
                                nullptr);
  }
}

void Form1Window::AddTooltips() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance,
                             nullptr);
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
  } else if (auto* combo = As<ComboBox>(c)) {
    SyncCombo(b, *combo);
  }
  const bool boxOnly = b.place.look == Look::BoxOnly;
  HWND captionWindow = boxOnly ? b.caption : b.hwnd;
  const ControlKind kind = c.Kind();
  const bool captioned = kind != ControlKind::TextBox && kind != ControlKind::ScrollBar &&
                         kind != ControlKind::PictureBox && kind != ControlKind::ComboBox;
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

void Form1Window::SyncCombo(Binding& b, const ComboBox& combo) {
  if (b.shownItems != combo.items) {
    SendMessageW(b.hwnd, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : combo.items)
      SendMessageW(b.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    b.shownItems = combo.items;
    b.shownValue = -2;
  }
  if (b.shownValue != combo.listIndex) {
    SendMessageW(b.hwnd, CB_SETCURSEL, WPARAM(combo.listIndex), 0);
    b.shownValue = combo.listIndex;
  }
}

void Form1Window::Sync() {
  if (!hwnd_ || syncing_) return;
  syncing_ = true;
  if (TabCtrl_GetCurSel(tab_) != form_.MultiPage1.value) TabCtrl_SetCurSel(tab_, form_.MultiPage1.value);
  const Control* frames[] = {&form_.Frame1, &form_.Frame2, &form_.Frame3, &form_.Frame4, &form_.Frame5};
  for (Binding& b : bindings_) SyncBinding(b);
  for (int i = 0; i < kPages; ++i) {
    ShowIf(PanelOf(i), frames[i]->visible);
    InvalidateRect(PanelOf(i), nullptr, TRUE);
  }
  preview_.Refresh();
  syncing_ = false;
}

TickTime Form1Window::PreviewTime() {
  const std::wstring zone = form_.SelectedZone();
  if (!zoneClock_ || zone != zoneClockKey_) {
    zoneClock_.emplace(zone);
    zoneClockKey_ = zone;
  }
  const worldtime::CivilTime now = zoneClock_->Now();
  return {now.hour, now.minute, now.second};
}

void Form1Window::Tick() {
  form_.Timer1_Timer(PreviewTime());
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
    if (code == EN_CHANGE && !syncing_) {
      field->SetText(TextOf(from));
      if (field->onChange) Sync();
    }
    return true;
  }
  if (auto* combo = As<ComboBox>(c)) {
    if (code == CBN_SELCHANGE) {
      combo->SetListIndex(int(SendMessageW(from, CB_GETCURSEL, 0, 0)));
      Sync();
    }
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
    case tkt::kWmGetDpiScaledSize:  // the size at a new DPI, asked before the move, so it fits the layout
      *reinterpret_cast<SIZE*>(lp) = WindowSizeAt(int(wp));
      return TRUE;
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
