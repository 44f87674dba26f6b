// Pressing the control: the palette popup and the colour dialog behind "...", and colour drags,
// including drops of foreign and short data. The drag data's byte order is checked natively.
#include "control_fixture.h"

#include <atomic>
#include <vector>

#include "paintchip/win/paintchip_ids.h"
#include "ui_driver.h"

namespace pctest {
namespace {

constexpr COLORREF kEntry10 = 0x00FFFF00;

// Presses the control at a client point, as the mouse would.
void Press(HWND wnd, int x, int y) { SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

POINT ScreenCentre(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

COLORREF PrintedPixel(HWND wnd, int x, int y) {
  Canvas canvas(80, 20);
  SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  return canvas.At(x, y);
}

struct Advised {
  explicit Advised(IUnknown* control) {
    ComPtr<IConnectionPointContainer> cpc;
    control->QueryInterface(IID_IConnectionPointContainer, cpc.put_void());
    cpc->FindConnectionPoint(paintchip::DIID__DPaintChipEvents, point.put());
    point->Advise(&sink, &cookie);
  }
  ~Advised() { point->Unadvise(cookie); }
  EventSink sink;
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;
};

// Reads the screen until the pixel is as expected or the deadline passes.
COLORREF ScreenPixelBecomes(POINT at, COLORREF want) {
  const ULONGLONG deadline = GetTickCount64() + 3000;
  COLORREF got = CLR_INVALID;
  do {
    HDC screen = GetDC(nullptr);
    got = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    if (got == want) break;
    Sleep(20);
  } while (GetTickCount64() < deadline);
  return got;
}

class Palette : public ControlTest {};

TEST_F(Palette, ArrowPressShowsSixteenSwatchesInFourColumnsBelowTheControlAndEntryTenPicks) {
  ActiveControl c(true, {20, 20, 100, 40});
  Advised events(c.Object());
  HWND wnd = c.Window();
  RECT ctrl{};
  GetWindowRect(wnd, &ctrl);
  std::atomic<bool> found{false};
  RECT menuRect{};
  int items = 0;
  UINT breaks = 0;
  ULONG_PTR data10 = 0;
  UINT lastId = 0;
  COLORREF arrowWhileOpen = 0, centre = 0, corner = 0, selectedCorner = 0;
  RECT first{}, last{}, other{};
  {
    UiDriver driver([&](DWORD ui) {
      HWND menu = WaitForThreadWindow(ui, L"#32768");
      if (!menu) return;
      found = true;
      GetWindowRect(menu, &menuRect);
      arrowWhileOpen = PrintedPixel(wnd, 67, 0);
      auto popup = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
      items = GetMenuItemCount(popup);
      for (int i = 0; i < items; ++i) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        GetMenuItemInfoW(popup, i, TRUE, &mi);
        if (mi.fType & MFT_MENUBREAK) breaks |= 1u << i;
        if (i == 9) data10 = mi.dwItemData;
        lastId = mi.wID;
      }
      // Items are sunken swatches; "..." sits under entry 16; the selected item is framed in the highlight colour.
      GetMenuItemRect(nullptr, popup, 0, &first);
      GetMenuItemRect(nullptr, popup, 15, &last);
      GetMenuItemRect(nullptr, popup, 16, &other);
      centre = ScreenPixelBecomes({(first.left + first.right) / 2, (first.top + first.bottom) / 2}, RGB(255, 0, 0));
      corner = ScreenPixelBecomes({first.left, first.top}, GetSysColor(COLOR_3DSHADOW));
      PostKey(menu, VK_DOWN);  // entry 1
      selectedCorner = ScreenPixelBecomes({first.left, first.top}, GetSysColor(COLOR_HIGHLIGHT));
      PostKey(menu, VK_RIGHT);  // entry 5
      PostKey(menu, VK_RIGHT);  // entry 9
      PostKey(menu, VK_DOWN);  // entry 10
      PostEnter(menu);
    });
    Press(wnd, 72, 10);
  }
  ASSERT_TRUE(found) << "no palette appeared";
  EXPECT_EQ(menuRect.left, ctrl.left);
  EXPECT_EQ(menuRect.top, ctrl.bottom);
  EXPECT_EQ(arrowWhileOpen, GetSysColor(COLOR_3DSHADOW)) << "the arrow part is shown pressed";
  EXPECT_EQ(PrintedPixel(wnd, 67, 0), GetSysColor(COLOR_3DLIGHT)) << "and raised again afterwards";
  EXPECT_EQ(items, 17);
  EXPECT_EQ(breaks, (1u << 4) | (1u << 8) | (1u << 12));
  EXPECT_EQ(data10, kEntry10);
  EXPECT_EQ(lastId, 17u);  // the "..." item
  EXPECT_EQ(first.bottom - first.top, 16);
  EXPECT_EQ(other.left, last.left);
  EXPECT_EQ(other.top, last.bottom);
  EXPECT_EQ(centre, RGB(255, 0, 0));
  EXPECT_EQ(corner, GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(selectedCorner, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetColor(c.Object()), static_cast<LONG>(kEntry10));
  ASSERT_EQ(events.sink.calls.size(), 1u);
  EXPECT_EQ(events.sink.calls[0].value, static_cast<LONG>(kEntry10));
}

// Selects "..." (under entry 16) and hands the colour dialog to `inDialog`.
bool OpenColourDialog(HWND control, const std::function<void(HWND dlg)>& inDialog) {
  std::atomic<bool> shown{false};
  UiDriver driver([&](DWORD ui) {
    HWND menu = WaitForThreadWindow(ui, L"#32768");
    if (!menu) return;
    PostKey(menu, VK_DOWN);
    for (int i = 0; i < 3; ++i) PostKey(menu, VK_RIGHT);  // entry 13
    for (int i = 0; i < 4; ++i) PostKey(menu, VK_DOWN);  // "..."
    PostEnter(menu);
    HWND dlg = WaitForThreadWindow(ui, L"#32770");
    if (!dlg) return;
    shown = true;
    inDialog(dlg);
  });
  Press(control, 72, 10);
  return shown;
}

TEST_F(Palette, EscapeAndCancelChangeNothingAndTheDialogStartsAtTheColour) {
  ActiveControl c;
  ASSERT_EQ(PutColor(c.Object(), 0x00336699), S_OK);
  Advised events(c.Object());
  std::atomic<int> modalWhileShown{-1};
  {  // Escape in the palette, opened on the column the parts share, chooses nothing.
    UiDriver driver([&](DWORD ui) {
      HWND menu = WaitForThreadWindow(ui, L"#32768");
      EXPECT_NE(menu, nullptr);
      if (menu) PostKey(menu, VK_ESCAPE);
    });
    Press(c.Window(), 67, 5);
  }
  ASSERT_TRUE(OpenColourDialog(c.Window(), [&](HWND dlg) {
    modalWhileShown = c.Site().frame->modalDepth.load();
    PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
  }));
  EXPECT_EQ(GetColor(c.Object()), 0x00336699);
  EXPECT_EQ(modalWhileShown, 1) << "the container's modeless windows were not told to wait";
  EXPECT_EQ(c.Site().frame->modalDepth, 0);
  ASSERT_TRUE(OpenColourDialog(c.Window(), [](HWND dlg) { PostMessageW(dlg, WM_COMMAND, IDOK, 0); }));
  EXPECT_EQ(GetColor(c.Object()), 0x00336699) << "the dialog did not start at the current colour";
  EXPECT_TRUE(events.sink.calls.empty());
}

TEST_F(Palette, ACustomColourFromTheDialogSetsTheColourAndReplacesTheFirstPaletteEntryEverywhere) {
  ActiveControl a(true, {20, 20, 100, 40});
  ActiveControl b(true, {20, 20, 100, 40}, 100, 300);
  Advised events(a.Object());
  ASSERT_TRUE(OpenColourDialog(a.Window(), [](HWND dlg) {
    SetDlgItemInt(dlg, 706, 0x12, FALSE);  // red
    SetDlgItemInt(dlg, 707, 0x34, FALSE);  // green
    SetDlgItemInt(dlg, 708, 0x56, FALSE);  // blue
    SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(712, BN_CLICKED), 0);  // "Add to Custom Colors": slot 1
    PostMessageW(dlg, WM_COMMAND, IDOK, 0);
  }));
  const COLORREF custom = RGB(0x12, 0x34, 0x56);
  EXPECT_EQ(GetColor(a.Object()), static_cast<LONG>(custom));
  ASSERT_EQ(events.sink.calls.size(), 1u);

  // Entry 1 of any control's palette is now the custom colour.
  {
    UiDriver driver([](DWORD ui) {
      HWND menu = WaitForThreadWindow(ui, L"#32768");
      if (!menu) return;
      PostKey(menu, VK_DOWN);
      PostEnter(menu);
    });
    Press(b.Window(), 72, 10);
  }
  EXPECT_EQ(GetColor(b.Object()), static_cast<LONG>(custom));
}

// Pixels of the focus frame's top side, between the swatch's edge and the colour well, that are not button face.
int FocusPixels(HWND wnd) {
  Canvas canvas(80, 20);
  SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
  int n = 0;
  for (int x = 3; x < 65; ++x) n += canvas.At(x, 3) != GetSysColor(COLOR_BTNFACE);
  return n;
}

TEST_F(Palette, KeyboardUsersTabInSeeTheFocusAndOpenThePaletteWithSpaceEnterOrAltDown) {
  ActiveControl c(true, {20, 20, 100, 40});
  Advised events(c.Object());
  HWND wnd = c.Window();
  EXPECT_EQ(GetNextDlgTabItem(c.Host(), nullptr, FALSE), wnd) << "not a tab stop";
  SetFocus(c.Host());
  EXPECT_EQ(FocusPixels(wnd), 0);
  SetFocus(wnd);
  EXPECT_GT(FocusPixels(wnd), 10) << "the focus is not drawn";

  // Each key opens the palette; there the menu's own keys choose, Esc closes it with no change.
  // (Entry 1 may hold another test's custom colour.)
  const struct {
    UINT msg;
    WPARAM key;
    LPARAM flags;
    int downs;  // 0: Esc
    COLORREF want;
  } keys[] = {{WM_KEYDOWN, VK_SPACE, 1, 0, 0},
              {WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29), 2, 0x0000FF00},  // Alt+Down: entry 2
              {WM_KEYDOWN, VK_RETURN, 1, 3, 0x00FF0000}};              // entry 3
  for (const auto& k : keys) {
    std::atomic<bool> opened{false};
    {
      UiDriver driver([&](DWORD ui) {
        HWND menu = WaitForThreadWindow(ui, L"#32768");
        if (!menu) return;
        opened = true;
        if (k.downs == 0) {
          PostKey(menu, VK_ESCAPE);
          return;
        }
        for (int i = 0; i < k.downs; ++i) PostKey(menu, VK_DOWN);
        PostEnter(menu);
      });
      SendMessageW(wnd, k.msg, k.key, k.flags);
    }
    EXPECT_TRUE(opened) << "key " << k.key;
    EXPECT_EQ(GetColor(c.Object()), static_cast<LONG>(k.want)) << "key " << k.key;
  }
  ASSERT_EQ(events.sink.calls.size(), 2u);
  EXPECT_EQ(events.sink.calls[1].value, 0x00FF0000);
}

class DragDrop : public ControlTest {
 protected:
  // Drags `bytes` under `format` onto the control's window, dropping at once.
  DWORD DropOn(HWND target, CLIPFORMAT format, std::vector<BYTE> bytes) {
    const POINT at = ScreenCentre(target);
    SetCursorPos(at.x, at.y);
    DataObject data(format, std::move(bytes));
    DropAtOnce source;
    DWORD effect = 0xFF;
    EXPECT_EQ(DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(data.refs, 1u);
    return effect;
  }
  CLIPFORMAT colorTransfer = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Color Transfer"));
};

TEST_F(DragDrop, FourBytesOfColorTransferSetTheColourOthersAreRefused) {
  ActiveControl c;
  Advised events(c.Object());
  EXPECT_EQ(DropOn(c.Window(), colorTransfer, {0x11, 0x22, 0x33, 0x00}), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(GetColor(c.Object()), 0x00332211);
  EXPECT_EQ(events.sink.calls.size(), 1u);

  // Two bytes are too short to hold a colour: refused, nothing read beyond them.
  EXPECT_EQ(DropOn(c.Window(), colorTransfer, {0x44, 0x55}), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(GetColor(c.Object()), 0x00332211);
  // Another format, even with four bytes.
  EXPECT_EQ(DropOn(c.Window(), CF_TEXT, {'a', 'b', 'c', 0}), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(GetColor(c.Object()), 0x00332211);
  // The same colour again: accepted, but no event.
  EXPECT_EQ(DropOn(c.Window(), colorTransfer, {0x11, 0x22, 0x33, 0x00}), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(events.sink.calls.size(), 1u);
}

TEST_F(DragDrop, PressingTheSwatchDragsTheColourToAnotherControl) {
  ActiveControl from(true, {20, 20, 100, 40});
  ActiveControl to(true, {20, 20, 100, 40}, 100, 300);
  ASSERT_EQ(PutColor(from.Object(), 0x00C08040), S_OK);
  Advised events(to.Object());
  const POINT at = ScreenCentre(to.Window());
  SetCursorPos(at.x, at.y);
  Press(from.Window(), 30, 10);
  EXPECT_EQ(GetColor(to.Object()), 0x00C08040);
  ASSERT_EQ(events.sink.calls.size(), 1u);
  EXPECT_EQ(events.sink.calls[0].value, 0x00C08040);
}

}  // namespace
}  // namespace pctest
