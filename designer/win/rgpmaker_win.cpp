#include "designer/win/rgpmaker_win.h"

#include <algorithm>
#include <utility>

#include "designer/model/layout.h"
#include "designer/win/scaled_box.h"
#include "designer/win/ui_font.h"

namespace designer::win {

namespace {
// The window's children, in creation (tab) order, by their place in the layout.
struct Child {
  MakerItem item;
  int id;
  const wchar_t* cls;
  const wchar_t* text;
  DWORD style;
  DWORD exStyle = 0;
};
const Child kChildren[] = {
    {MakerItem::Label1, RgpMakerWindow::kLabel1, L"STATIC", kRgpLabel1, SS_LEFT | SS_NOPREFIX},
    {MakerItem::CommandButton1, RgpMakerWindow::kCommandButton1, L"BUTTON", kRgpBack, BS_PUSHBUTTON | WS_TABSTOP},
    {MakerItem::Label3, RgpMakerWindow::kLabel3, L"STATIC", kRgpLabel3, SS_LEFT | SS_NOPREFIX},
    {MakerItem::Text1, RgpMakerWindow::kText1, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {MakerItem::Command2, RgpMakerWindow::kCommand2, L"BUTTON", kRgpChoose, BS_PUSHBUTTON | WS_TABSTOP},
    {MakerItem::Label2, RgpMakerWindow::kLabel2, L"STATIC", kRgpLabel2, SS_LEFT | SS_NOPREFIX},
    {MakerItem::Label4, RgpMakerWindow::kLabel4, L"STATIC", kRgpLabel4, SS_LEFT | SS_NOPREFIX},
    {MakerItem::Text2, RgpMakerWindow::kText2, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {MakerItem::Command3, RgpMakerWindow::kCommand3, L"BUTTON", kRgpChoose, BS_PUSHBUTTON | WS_TABSTOP},
    {MakerItem::Command1, RgpMakerWindow::kCommand1, L"BUTTON", kRgpCommand1, BS_PUSHBUTTON | WS_TABSTOP},
    {MakerItem::Command4, RgpMakerWindow::kCommand4, L"BUTTON", kRgpCommand4, BS_PUSHBUTTON | WS_TABSTOP},
};

std::wstring TextOf(HWND hwnd) {
  std::wstring text(size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
  return text;
}

int TextWidth(HDC dc, const wchar_t* text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text, int(wcslen(text)), &size);
  return size.cx;
}
}  // namespace

RgpMakerWindow::RgpMakerWindow(DesignerForm& form, std::function<void()> showDesigner)
    : form_(form),
      showDesigner_(std::move(showDesigner)),
      model_(form, picture_, *this, dialogs_, messages_, &decoder_) {
  picture_.SetChanged([](void* self) { static_cast<RgpMakerWindow*>(self)->PictureChanged(); }, this);
}

RgpMakerWindow::~RgpMakerWindow() {
  picture_.SetChanged(nullptr, nullptr);
  if (hwnd_) DestroyWindow(hwnd_);
}

void RgpMakerWindow::DescribeClass(WNDCLASSEXW& wc) {
  wc.hbrBackground = nullptr;  // the canvas is the background
  // Shared: the system owns the icon for as long as the class lives.
  const int dpi = tkt::SystemDpi();
  wc.hIcon = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                          tkt::SystemMetricForDpi(SM_CXICON, dpi),
                                          tkt::SystemMetricForDpi(SM_CYICON, dpi), LR_SHARED));
}

void RgpMakerWindow::Show() {
  if (!hwnd_) {
    if (!CreateWindowOf(kExStyle, kRgpMakerCaption, kStyle, 0, 0, 100, 100, nullptr)) return;
    messages_.SetOwner(hwnd_);
    messages_.SetAppTitle(form_.appTitle);
    dialogs_.SetOwner(hwnd_);
  }
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

HWND RgpMakerWindow::CreateChild(const wchar_t* cls, const wchar_t* text, DWORD style, int id, const RECT& box,
                                 DWORD exStyle) {
  return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, box.left, box.top,
                         box.right - box.left, box.bottom - box.top, hwnd_, reinterpret_cast<HMENU>(INT_PTR(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

RgpMakerWindow::Fonts RgpMakerWindow::FontsAt(int dpi) {
  LOGFONTW normal = PickUiFont(FW_NORMAL, dpi), bold = PickUiFont(FW_BOLD, dpi);
  return {tkt::GdiObject<HFONT>(CreateFontIndirectW(&normal)), tkt::GdiObject<HFONT>(CreateFontIndirectW(&bold))};
}

MakerLayout RgpMakerWindow::LayoutIn(const Fonts& fonts, int dpi) const {
  // The right column is as wide as its longest line, measured in pixels at `dpi`.
  int column = tkt::ScaleFromPixels96(kMakerMinColumn, dpi);
  {
    tkt::WindowDc dc(hwnd_);
    tkt::SelectGuard sel(dc.get(), fonts.bold.get());
    for (const wchar_t* t : {kRgpLabel1, kRgpLabel2})
      column = std::max(column, TextWidth(dc.get(), t) + tkt::ScaleFromPixels96(40, dpi));
    tkt::SelectGuard normalFont(dc.get(), fonts.normal.get());
    for (const wchar_t* t : {kRgpLabel3, kRgpLabel4})
      column = std::max(column, TextWidth(dc.get(), t) + tkt::ScaleFromPixels96(8, dpi));
  }
  // Back to 96-DPI pixels, rounded up.
  return LayoutMaker((column * tkt::kDesignDpi + dpi - 1) / dpi);
}

SIZE RgpMakerWindow::WindowSizeFor(const MakerLayout& layout, int dpi) {
  const RECT r = tkt::WindowRectForClient(
      {0, 0, tkt::ScaleFromPixels96(layout.clientWidth, dpi), tkt::ScaleFromPixels96(layout.clientHeight, dpi)}, kStyle,
      kExStyle, dpi);
  return {r.right - r.left, r.bottom - r.top};
}

void RgpMakerWindow::CreateChildren() {
  for (const Child& c : kChildren) CreateChild(c.cls, c.text, c.style, c.id, {}, c.exStyle);
  pictureWnd_.Create({}, hwnd_, kPicture1);
  // A large picture spreads under the other controls, never over them.
  SetWindowPos(pictureWnd_.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // Centred on the work area.
  const SIZE size = WindowSizeFor(LayOut(), dpi());
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(hwnd_, nullptr, work.left + std::max(0, int(work.right - work.left - size.cx) / 2),
               work.top + std::max(0, int(work.bottom - work.top - size.cy) / 2), size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SyncFields();
}

MakerLayout RgpMakerWindow::LayOut() {
  Fonts old = std::exchange(fonts_, FontsAt(dpi()));  // until nothing uses them
  const MakerLayout layout = LayoutIn(fonts_, dpi());
  for (const Child& c : kChildren) {
    const auto at = std::find_if(layout.items.begin(), layout.items.end(),
                                 [&](const MakerPlacement& p) { return p.item == c.item; });
    const bool bold = c.id == kLabel1 || c.id == kLabel2;
    SendMessageW(Item(c.id), WM_SETFONT, WPARAM(bold ? fonts_.bold.get() : fonts_.normal.get()), FALSE);
    MoveTo(Item(c.id), ScaledRect(at->box, dpi()));
  }
  pictureBox_ = ScaledRect(layout.picture, dpi());
  shape1_ = ScaledRect(layout.frame, dpi());
  MoveTo(pictureWnd_.hwnd(), pictureBox_);
  PictureChanged();
  SizeCanvas(ScaleFromPixels96(layout.clientWidth), ScaleFromPixels96(layout.clientHeight));
  return layout;
}

// Laid out again in place, the fields, the picture and the test lines kept.
void RgpMakerWindow::OnDpiChanged(int, const RECT& suggested) {
  LayOut();
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// The test lines are the picture's pixels, so they stay where they are when the canvas grows or shrinks.
void RgpMakerWindow::SizeCanvas(int width, int height) {
  if (canvas_ && width == canvasW_ && height == canvasH_) return;
  tkt::GdiObject<HBITMAP> next(CreateCompatibleBitmap(tkt::WindowDc(hwnd_).get(), width, height));
  tkt::MemoryDc mem(nullptr);
  {
    tkt::SelectGuard sel(mem.get(), next.get());
    RECT all{0, 0, width, height};
    FillRect(mem.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    if (canvas_) {
      tkt::MemoryDc from(nullptr);
      tkt::SelectGuard old(from.get(), canvas_.get());
      BitBlt(mem.get(), 0, 0, std::min(width, canvasW_), std::min(height, canvasH_), from.get(), 0, 0, SRCCOPY);
    }
  }
  canvas_ = std::move(next);
  canvasW_ = width, canvasH_ = height;
}

void RgpMakerWindow::SyncFields() {
  syncing_ = true;
  if (TextOf(Item(kText1)) != model_.Text1) SetWindowTextW(Item(kText1), model_.Text1.c_str());
  if (TextOf(Item(kText2)) != model_.Text2) SetWindowTextW(Item(kText2), model_.Text2.c_str());
  syncing_ = false;
}

// The picture area takes the picture's size, as an auto-sized picture box does: its own pixels, at any DPI.
void RgpMakerWindow::PictureChanged() {
  if (!pictureWnd_.hwnd()) return;
  int w = pictureBox_.right - pictureBox_.left, h = pictureBox_.bottom - pictureBox_.top;
  if (picture_.Width() > 0) {
    const RECT frame =
        tkt::WindowRectForClient({0, 0, picture_.Width(), picture_.Height()}, WS_CHILD, WS_EX_CLIENTEDGE, dpi());
    w = frame.right - frame.left, h = frame.bottom - frame.top;
  }
  SetWindowPos(pictureWnd_.hwnd(), HWND_BOTTOM, 0, 0, w, h, SWP_NOMOVE | SWP_NOACTIVATE);
  InvalidateRect(pictureWnd_.hwnd(), nullptr, TRUE);
  UpdateWindow(pictureWnd_.hwnd());
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void RgpMakerWindow::DrawRunLines(const std::vector<faceformat::RegionRun>& runs) {
  if (!canvas_) return;
  tkt::MemoryDc mem(nullptr);
  tkt::SelectGuard sel(mem.get(), canvas_.get());
  tkt::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
  tkt::SelectGuard selPen(mem.get(), pen.get());
  // A line ends before its last point, so each run covers exactly its own pixels.
  for (const faceformat::RegionRun& run : runs) {
    MoveToEx(mem.get(), run.left, run.row, nullptr);
    LineTo(mem.get(), int(int64_t(run.left) + run.length), run.row);
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void RgpMakerWindow::ShowDesigner() {
  if (showDesigner_) showDesigner_();
  designerShown_ = true;
}

// The hand-over fills the designer's fields after showing it: it shows them once the handler is done.
void RgpMakerWindow::AfterHandler() {
  SyncFields();
  if (designerShown_ && showDesigner_) showDesigner_();
  designerShown_ = false;
}

void RgpMakerWindow::HideMaker() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void RgpMakerWindow::PaintContent(HDC dc, const RECT& rc) {
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  if (canvas_) {
    tkt::MemoryDc mem(dc);
    tkt::SelectGuard sel(mem.get(), canvas_.get());
    BitBlt(dc, 0, 0, canvasW_, canvasH_, mem.get(), 0, 0, SRCCOPY);
  }
  RECT frame = shape1_;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
}

void RgpMakerWindow::Command(int id, int code) {
  if ((id == kText1 || id == kText2) && code == EN_CHANGE) {
    if (!syncing_) (id == kText1 ? model_.Text1 : model_.Text2) = TextOf(Item(id));
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kCommand1: model_.Command1_Click(); break;
    case kCommand2: model_.Command2_Click(); break;
    case kCommand3: model_.Command3_Click(); break;
    case kCommand4: model_.Command4_Click(); break;
    case kCommandButton1: model_.CommandButton1_Click(); break;
    default: return;
  }
  AfterHandler();
}

HWND RgpMakerWindow::PictureWindow::Create(const RECT& at, HWND parent, int id) {
  return CreateWindowOf(WS_EX_CLIENTEDGE, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, at.left, at.top,
                        at.right - at.left, at.bottom - at.top, parent, reinterpret_cast<HMENU>(INT_PTR(id)));
}

LRESULT RgpMakerWindow::PictureWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    tkt::PaintScope paint(hwnd_);
    picture_.Paint(paint.dc(), 0, 0);
    return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT RgpMakerWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      CreateChildren();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      return PaintThrough(msg, wp);
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case tkt::kWmGetDpiScaledSize:  // the size at a new DPI, asked before the move, so it fits the layout
      *reinterpret_cast<SIZE*>(lp) = WindowSizeFor(LayoutIn(FontsAt(int(wp)), int(wp)), int(wp));
      return TRUE;
    case WM_CLOSE:
      // Alt+F4 is the way back, like "Ｘ": the maker is only ever hidden.
      model_.CommandButton1_Click();
      AfterHandler();
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace designer::win
