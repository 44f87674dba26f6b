#include "designer/win/rgpmaker_win.h"

#include <algorithm>

#include "designer/win/ui_font.h"

namespace designer::win {

namespace {
constexpr wchar_t kMakerClass[] = L"TktRgpMaker";
constexpr wchar_t kPictureClass[] = L"TktRgpMakerPicture";
constexpr int kCanvas = 180;  // the test lines' area at the top-left corner: one 180 x 180 face
constexpr int kMargin = 8;

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

void RgpMakerWindow::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // the canvas is the background
  wc.lpszClassName = kMakerClass;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                          GetSystemMetrics(SM_CYICON), 0));
  RegisterClassExW(&wc);
  WNDCLASSEXW pic{};
  pic.cbSize = sizeof pic;
  pic.lpfnWndProc = PictureProc;
  pic.hInstance = instance;
  pic.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  pic.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  pic.lpszClassName = kPictureClass;
  RegisterClassExW(&pic);
}

void RgpMakerWindow::Show() {
  if (!hwnd_) {
    // A fixed dialog frame with a caption and no system menu: no close, minimise or maximise box.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    CreateWindowExW(exStyle, kMakerClass, kRgpMakerCaption, style, 0, 0, 100, 100, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (!hwnd_) return;
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
  int column = 380;
  HDC dc = GetDC(hwnd_);
  {
    tkt::SelectGuard sel(dc, boldFont_.get());
    for (const wchar_t* t : {kRgpLabel1, kRgpLabel2}) column = std::max(column, TextWidth(dc, t) + 40);
  }
  {
    tkt::SelectGuard sel(dc, font_.get());
    for (const wchar_t* t : {kRgpLabel3, kRgpLabel4}) column = std::max(column, TextWidth(dc, t) + 8);
  }
  ReleaseDC(hwnd_, dc);
  const int lineH = 18, fieldH = 24, chooseW = 64;
  pictureBox_ = {kCanvas + 2 * kMargin, kMargin, kCanvas + 2 * kMargin + kCanvas + 4, kMargin + kCanvas + 4};
  const int x0 = pictureBox_.right + 3 * kMargin, x1 = x0 + column;
  int y = kMargin + 4;
  CreateChild(L"STATIC", kRgpLabel1, SS_LEFT | SS_NOPREFIX, kLabel1, {x0, y, x1 - 30, y + lineH});
  CreateChild(L"BUTTON", kRgpBack, BS_PUSHBUTTON | WS_TABSTOP, kCommandButton1, {x1 - 22, kMargin, x1, kMargin + 22});
  y += lineH + 2;
  CreateChild(L"STATIC", kRgpLabel3, SS_LEFT | SS_NOPREFIX, kLabel3, {x0, y, x1, y + lineH});
  y += lineH + 4;
  CreateChild(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kText1, {x0, y, x1 - chooseW - kMargin, y + fieldH},
              WS_EX_CLIENTEDGE);
  CreateChild(L"BUTTON", kRgpChoose, BS_PUSHBUTTON | WS_TABSTOP, kCommand2, {x1 - chooseW, y, x1, y + fieldH});
  y += fieldH + 14;
  CreateChild(L"STATIC", kRgpLabel2, SS_LEFT | SS_NOPREFIX, kLabel2, {x0, y, x1, y + lineH});
  y += lineH + 2;
  CreateChild(L"STATIC", kRgpLabel4, SS_LEFT | SS_NOPREFIX, kLabel4, {x0, y, x1, y + lineH});
  y += lineH + 4;
  CreateChild(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kText2, {x0, y, x1 - chooseW - kMargin, y + fieldH},
              WS_EX_CLIENTEDGE);
  CreateChild(L"BUTTON", kRgpChoose, BS_PUSHBUTTON | WS_TABSTOP, kCommand3, {x1 - chooseW, y, x1, y + fieldH});
  y += fieldH + 16;
  CreateChild(L"BUTTON", kRgpCommand1, BS_PUSHBUTTON | WS_TABSTOP, kCommand1, {x0, y, x0 + 220, y + 32});
  const int bottom = std::max<int>(y + 32 + 10, pictureBox_.bottom + kMargin);
  shape1_ = {x0 - 10, kMargin / 2, x1 + 10, bottom - 4};
  CreateChild(L"BUTTON", kRgpCommand4, BS_PUSHBUTTON | WS_TABSTOP, kCommand4,
              {kMargin + 20, kCanvas + kMargin, kCanvas - 20, kCanvas + kMargin + 26});

  pictureWnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, kPictureClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                pictureBox_.left, pictureBox_.top, pictureBox_.right - pictureBox_.left,
                                pictureBox_.bottom - pictureBox_.top, hwnd_,
                                reinterpret_cast<HMENU>(INT_PTR(kPicture1)), GetModuleHandleW(nullptr), this);
  // A large picture spreads under the other controls, never over them.
  SetWindowPos(pictureWnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Client size from the controls, window size from the frame; centred on the work area.
  const int clientW = shape1_.right + kMargin, clientH = std::max<int>(bottom, kCanvas + kMargin + 26 + kMargin);
  RECT frame{0, 0, clientW, clientH};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE, DWORD(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetWindowPos(hwnd_, nullptr, work.left + std::max(0, int(work.right - work.left - w) / 2),
               work.top + std::max(0, int(work.bottom - work.top - h) / 2), w, h, SWP_NOZORDER | SWP_NOACTIVATE);

  HDC screen = GetDC(hwnd_);
  canvasW_ = clientW, canvasH_ = clientH;
  canvas_.reset(CreateCompatibleBitmap(screen, canvasW_, canvasH_));
  ReleaseDC(hwnd_, screen);
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
  if (!pictureWnd_) return;
  int w = pictureBox_.right - pictureBox_.left, h = pictureBox_.bottom - pictureBox_.top;
  if (picture_.Width() > 0) {
    RECT frame{0, 0, picture_.Width(), picture_.Height()};
    AdjustWindowRectEx(&frame, WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
    w = frame.right - frame.left, h = frame.bottom - frame.top;
  }
  SetWindowPos(pictureWnd_, HWND_BOTTOM, 0, 0, w, h, SWP_NOMOVE | SWP_NOACTIVATE);
  InvalidateRect(pictureWnd_, nullptr, TRUE);
  UpdateWindow(pictureWnd_);
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

LRESULT CALLBACK RgpMakerWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<RgpMakerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<RgpMakerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK RgpMakerWindow::PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  }
  auto* self = reinterpret_cast<RgpMakerWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_PAINT && self) {
    tkt::PaintScope paint(hwnd);
    self->picture_.Paint(paint.dc(), 0, 0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT RgpMakerWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      CreateChildren();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      tkt::PaintScope paint(hwnd_);
      RECT client;
      GetClientRect(hwnd_, &client);
      PaintContent(paint.dc(), client);
      return 0;
    }
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
