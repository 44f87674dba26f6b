// Verbs and quick activation: the container-facing paths that form designers take.
#include "control_fixture.h"

#include <commctrl.h>

#include <atomic>
#include <string>

#include "paintchip/win/paintchip_ids.h"

#include "ui_driver.h"

namespace pctest {
namespace {

class Verbs : public ControlTest {};

TEST_F(Verbs, EnumVerbsOffersPropertiesOnTheContainerMenu) {
  ComPtr<IOleObject> c = NewControl();
  ComPtr<IEnumOLEVERB> verbs;
  ASSERT_EQ(c->EnumVerbs(verbs.put()), S_OK);
  OLEVERB got[2] = {};
  ULONG n = 0;
  EXPECT_EQ(verbs->Next(2, got, &n), S_FALSE);
  ASSERT_EQ(n, 1u);
  EXPECT_EQ(got[0].lVerb, OLEIVERB_PROPERTIES);
  EXPECT_STREQ(got[0].lpszVerbName, L"&Properties...");
  EXPECT_EQ(got[0].grfAttribs, static_cast<DWORD>(OLEVERBATTRIB_ONCONTAINERMENU));
  CoTaskMemFree(got[0].lpszVerbName);  // the caller owns the name
  EXPECT_EQ(verbs->Clone(nullptr), E_POINTER);

  // No advise sink yet: still an enumerator, an empty one.
  ComPtr<IEnumSTATDATA> advises;
  ASSERT_EQ(c->EnumAdvise(advises.put()), S_OK);
  ASSERT_TRUE(advises);
  STATDATA sd{};
  EXPECT_EQ(advises->Next(1, &sd, nullptr), S_FALSE);
}

// What the property frame shows: its tab captions and whether the page holds only the placeholder text.
struct FrameContents {
  std::wstring tabs;
  int placeholderPages = 0, pageChildren = 0;
};

BOOL CALLBACK Inspect(HWND wnd, LPARAM lp) {
  auto* seen = reinterpret_cast<FrameContents*>(lp);
  wchar_t text[256] = {};
  GetClassNameW(wnd, text, 256);
  if (lstrcmpiW(text, WC_TABCONTROLW) == 0) {
    for (int i = 0, n = int(SendMessageW(wnd, TCM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
      wchar_t caption[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption;
      item.cchTextMax = 64;
      SendMessageW(wnd, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      seen->tabs += std::wstring(seen->tabs.empty() ? L"" : L"|") + caption;
    }
  }
  GetWindowTextW(wnd, text, 256);
  if (lstrcmpW(text, L"TODO: Place controls to manipulate properties of PaintChip Control on this dialog.") == 0) {
    ++seen->placeholderPages;
    for (HWND c = GetWindow(GetParent(wnd), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++seen->pageChildren;
  }
  return TRUE;
}

TEST_F(Verbs, PropertiesVerbAsksTheContainerFirstThenShowsTheFrameWithTheGeneralPage) {
  ActiveControl c;
  FrameContents seen;
  int modalWhileShown = 0;
  {
    UiDriver driver([&](DWORD ui) {
      HWND frame = WaitForThreadWindow(ui, L"#32770");
      if (!frame) return;
      modalWhileShown = c.Site().frame->modalDepth;
      const ULONGLONG deadline = GetTickCount64() + 5000;
      do {
        seen = FrameContents{};
        EnumChildWindows(frame, &Inspect, reinterpret_cast<LPARAM>(&seen));
      } while (!seen.placeholderPages && GetTickCount64() < deadline && (Sleep(20), true));
      PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(c.Object()->DoVerb(OLEIVERB_PROPERTIES, nullptr, &c.Site(), 0, c.Host(), nullptr), S_OK);
  }
  EXPECT_EQ(c.Site().propertyFrameAsked, 1);
  EXPECT_EQ(modalWhileShown, 1) << "the container's modeless windows were not told to wait";
  EXPECT_EQ(c.Site().frame->modalDepth, 0);
  EXPECT_EQ(seen.tabs, L"General");
  EXPECT_EQ(seen.placeholderPages, 1);
  EXPECT_EQ(seen.pageChildren, 1) << "the page holds only the text";
}

TEST_F(Verbs, UnknownVerbsAreRefusedOrTreatedAsPrimaryAndHideHidesUntilShow) {
  ActiveControl c;
  EXPECT_EQ(c.Object()->DoVerb(-99, nullptr, &c.Site(), 0, c.Host(), nullptr), E_NOTIMPL);
  EXPECT_EQ(c.Object()->DoVerb(7, nullptr, &c.Site(), 0, c.Host(), nullptr), OLEOBJ_S_INVALIDVERB);
  EXPECT_EQ(c.Site().uiActivated, 1);
  EXPECT_EQ(c.Object()->DoVerb(OLEIVERB_HIDE, nullptr, &c.Site(), 0, c.Host(), nullptr), S_OK);
  EXPECT_FALSE(IsWindowVisible(c.Window()));
  EXPECT_EQ(c.Site().uiDeactivated, 1);
  EXPECT_EQ(c.Object()->DoVerb(OLEIVERB_SHOW, nullptr, &c.Site(), 0, c.Host(), nullptr), S_OK);
  EXPECT_TRUE(IsWindowVisible(c.Window()));
}

// Click-to-activate containers pass the activating click with the verb; it opens the palette.
TEST_F(Verbs, TheClickThatActivatesTheControlReachesIt) {
  ActiveControl c(true, {20, 20, 100, 40});
  std::atomic<bool> opened{false};
  {
    UiDriver driver([&](DWORD ui) {
      HWND menu = WaitForThreadWindow(ui, L"#32768");
      if (!menu) return;
      opened = true;
      PostKey(menu, VK_ESCAPE);
    });
    MSG click{c.Host(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20 + 72, 20 + 10), 0, {}};
    ASSERT_EQ(c.Object()->DoVerb(OLEIVERB_UIACTIVATE, &click, &c.Site(), 0, c.Host(), &c.Site().pos), S_OK);
    EXPECT_TRUE(PumpUntil([&] { return opened.load(); }));
  }
  EXPECT_EQ(c.Site().uiActivated, 1);
}

TEST_F(Verbs, QuickActivationSetsTheSiteConnectsEventsAndReportsStatus) {
  ComPtr<IOleObject> c = NewControl();
  HostWindow host;
  auto* site = new TestSite(host.get(), {0, 0, 80, 20}, true);
  EventSink sink;
  PropertySink props;
  ComPtr<IQuickActivate> quick;
  ASSERT_EQ(c.As(quick, IID_IQuickActivate), S_OK);
  QACONTAINER qc{};
  qc.cbSize = sizeof qc;
  qc.pClientSite = site;
  qc.pUnkEventSink = &sink;
  qc.pPropertyNotifySink = &props;
  QACONTROL qo{};
  qo.cbSize = sizeof qo;
  ASSERT_EQ(quick->QuickActivate(&qc, &qo), S_OK);
  EXPECT_EQ(qo.dwMiscStatus, 0x000A0191u);
  EXPECT_NE(qo.dwEventCookie, 0u);
  EXPECT_EQ(qo.dwPointerActivationPolicy, static_cast<DWORD>(POINTERINACTIVE_ACTIVATEONENTRY));
  ComPtr<IOleClientSite> got;
  ASSERT_EQ(c->GetClientSite(got.put()), S_OK);
  EXPECT_EQ(got.get(), static_cast<IOleClientSite*>(site));
  got.reset();
  ASSERT_EQ(PutColor(c.get(), 0x00ABCDEF), S_OK);
  ASSERT_EQ(sink.calls.size(), 1u);
  EXPECT_EQ(props.changed, std::vector<DISPID>{1});
  SIZEL size{1000, 500};
  EXPECT_EQ(quick->SetContentExtent(&size), S_OK);
  SIZEL back{};
  EXPECT_EQ(quick->GetContentExtent(&back), S_OK);
  EXPECT_EQ(back.cx, 1000);

  ComPtr<IConnectionPointContainer> cpc;
  ComPtr<IConnectionPoint> cp;
  ASSERT_EQ(c.As(cpc, IID_IConnectionPointContainer), S_OK);
  ASSERT_EQ(cpc->FindConnectionPoint(paintchip::DIID__DPaintChipEvents, cp.put()), S_OK);
  EXPECT_EQ(cp->Unadvise(qo.dwEventCookie), S_OK);
  ASSERT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, cp.put()), S_OK);
  EXPECT_EQ(cp->Unadvise(qo.dwPropNotifyCookie), S_OK);
  cp.reset();
  cpc.reset();
  EXPECT_EQ(c->SetClientSite(nullptr), S_OK);
  c.reset();
  EXPECT_EQ(sink.refs, 1u);
  EXPECT_EQ(props.refs, 1u);
  EXPECT_EQ(site->Release(), 0u);
}

}  // namespace
}  // namespace pctest
