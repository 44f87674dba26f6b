#include "designer/win/rgpmaker_win.h"

#include <algorithm>

#include "designer/model/layout.h"
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

RECT ToRect(const PixelBox& b) { return {b.x, b.y, b.right(), b.bottom()}; }

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
  wc.hIcon = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                          GetSystemMetrics(SM_CYICON), LR_SHARED));
}

void RgpMakerWindow::Show() {
  if (!hwnd_) {
    // A fixed dialog frame with a caption and no system menu: no close, minimise or maximise box.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    if (!CreateWindowOf(exStyle, kRgpMakerCaption, style, 0, 0, 100, 100, nullptr)) return;
    messages_.SetOwner(hwnd_);
    messages_.SetAppTitle(form_.appTitle);
    dialogs_.SetOwner(hwnd_);
  }
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

HWND RgpMakerWindow::CreateChild(const wchar_t* cls, const wchar_t* text, DWORD style, int id, const RECT& box,
                                 DWORD exStyle) {
  HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, box.left, box.top,
                               box.right - box.left, box.bottom - box.top, hwnd_,
                               reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, WPARAM(id == kLabel1 || id == kLabel2 ? boldFont_.get() : font_.get()), FALSE);
  return child;
}

void RgpMakerWindow::CreateChildren() {
  LOGFONTW normal = PickUiFont(FW_NORMAL), bold = PickUiFont(FW_BOLD);
  font_.reset(CreateFontIndirectW(&normal));
  boldFont_.reset(CreateFontIndirectW(&bold));

  // The right column is as wide as its longest line.
  int column = kMakerMinColumn;
  {
    tkt::WindowDc dc(hwnd_);
    tkt::SelectGuard sel(dc.get(), boldFont_.get());
    for (const wchar_t* t : {kRgpLabel1, kRgpLabel2}) column = std::max(column, TextWidth(dc.get(), t) + 40);
    tkt::SelectGuard normalFont(dc.get(), font_.get());
    for (const wchar_t* t : {kRgpLabel3, kRgpLabel4}) column = std::max(column, TextWidth(dc.get(), t) + 8);
  }
  const MakerLayout layout = LayoutMaker(column);
  for (const Child& c : kChildren) {
    const auto at = std::find_if(layout.items.begin(), layout.items.end(),
                                 [&](const MakerPlacement& p) { return p.item == c.item; });
    CreateChild(c.cls, c.text, c.style, c.id, ToRect(at->box), c.exStyle);
  }
  pictureBox_ = ToRect(layout.picture);
  shape1_ = ToRect(layout.frame);
  pictureWnd_.Create(pictureBox_, hwnd_, kPicture1);
  // A large picture spreads under the other controls, never over them.
  SetWindowPos(pictureWnd_.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Window size from the client size and the frame; centred on the work area.
  const int clientW = layout.clientWidth, clientH = layout.clientHeight;
  RECT frame{0, 0, clientW, clientH};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE, DWORD(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetWindowPos(hwnd_, nullptr, work.left + std::max(0, int(work.right - work.left - w) / 2),
               work.top + std::max(0, int(work.bottom - work.top - h) / 2), w, h, SWP_NOZORDER | SWP_NOACTIVATE);

  canvasW_ = clientW, canvasH_ = clientH;
  canvas_.reset(CreateCompatibleBitmap(tkt::WindowDc(hwnd_).get(), canvasW_, canvasH_));
  tkt::MemoryDc mem(nullptr);
  {
    tkt::SelectGuard sel(mem.get(), canvas_.get());
    RECT all{0, 0, canvasW_, canvasH_};
    FillRect(mem.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
  }
  SyncFields();
}

void RgpMakerWindow::SyncFields() {
  syncing_ = true;
  if (TextOf(Item(kText1)) != model_.Text1) SetWindowTextW(Item(kText1), model_.Text1.c_str());
  if (TextOf(Item(kText2)) != model_.Text2) SetWindowTextW(Item(kText2), model_.Text2.c_str());
  syncing_ = false;
}

// The picture area takes the picture's size, as an auto-sized picture box does.
void RgpMakerWindow::PictureChanged() {
  if (!pictureWnd_.hwnd()) return;
  int w = pictureBox_.right - pictureBox_.left, h = pictureBox_.bottom - pictureBox_.top;
  if (picture_.Width() > 0) {
    RECT frame{0, 0, picture_.Width(), picture_.Height()};
    AdjustWindowRectEx(&frame, WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
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
    case WM_CLOSE:
      // Alt+F4 is the way back, like "Ｘ": the maker is only ever hidden.
      model_.CommandButton1_Click();
      AfterHandler();
      return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace designer::win
